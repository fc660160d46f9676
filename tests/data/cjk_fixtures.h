// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Builds the fixture databases of the Korean, Hanja, Japanese and Chinese accessor tests from the
// SQL files in tests/data/fixtures/.

#include "Data.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

namespace CjkFixtures {

inline QString sqlPath(const char *name)
{
    return qEnvironmentVariable("LUMI_SOURCE_DIR") + QStringLiteral("/tests/data/fixtures/") + QLatin1String(name);
}

// Runs sql in a new database at dbPath; false when anything fails.
inline bool execSql(const QString &dbPath, const QByteArray &sql)
{
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(dbPath);
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    // Fixtures are throw-away: skip the journal and the syncs.
    sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;", nullptr, nullptr, nullptr);
    const bool ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

// Creates dir/dbName from the fixture script fixture.
inline bool build(const QString &dir, const char *dbName, const char *fixture)
{
    QFile script(sqlPath(fixture));
    if (!script.open(QIODevice::ReadOnly))
        return false;
    return execSql(dir + QLatin1Char('/') + QLatin1String(dbName), script.readAll());
}

// The dictionary directory as the accessors expect it: ending in "/".
inline QByteArray dicDir(const QString &dir)
{
    return QFile::encodeName(dir) + '/';
}

// String 0 of every item of a list (empty for a null list).
inline QStringList labels(const DataList *list, int slot = 0)
{
    QStringList out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetString(slot);
    return out;
}

// Value v of every item of a list.
inline QList<int> values(const DataList *list, int v)
{
    QList<int> out;
    for (int i = 0; list && i < list->GetCount(); ++i)
        out << list->GetItem(i)->GetValue(v);
    return out;
}

} // namespace CjkFixtures
