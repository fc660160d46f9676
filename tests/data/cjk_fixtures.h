// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Builds the fixture databases of the Korean, Hanja, Japanese and Chinese accessor tests from the
// SQL files in tests/data/fixtures/.

#include "Data.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
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

// A red square picture of side x side pixels, as PNG bytes.
inline QByteArray png(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// "himage.sdb": three images of character 5 stored out of name order, one undecodable blob of
// character 6.
inline bool buildStrokeImages(const QString &dir)
{
    if (!execSql(dir + QStringLiteral("/himage.sdb"), "CREATE TABLE h_image (num INTEGER, name TEXT, data BLOB);"))
        return false;
    sqlite3 *db = nullptr;
    const QByteArray path = QFile::encodeName(dir + QStringLiteral("/himage.sdb"));
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    struct Row
    {
        int num;
        const char *name;
        QByteArray data;
    };
    const Row rows[]
            = {{5, "03", png(3)}, {5, "01", png(1)}, {6, "01", QByteArray("not a picture")}, {5, "02", png(2)}};
    bool ok = true;
    for (const Row &r : rows) {
        sqlite3_stmt *st = nullptr;
        ok = ok && sqlite3_prepare_v2(db, "INSERT INTO h_image VALUES (?, ?, ?);", -1, &st, nullptr) == SQLITE_OK;
        if (st) {
            sqlite3_bind_int(st, 1, r.num);
            sqlite3_bind_text(st, 2, r.name, -1, SQLITE_STATIC);
            sqlite3_bind_blob(st, 3, r.data.constData(), int(r.data.size()), SQLITE_TRANSIENT);
            ok = ok && sqlite3_step(st) == SQLITE_DONE;
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return ok;
}

} // namespace CjkFixtures
