// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// Fixture helpers of the phrasebook and user-store tests: databases built from the SQL files in
// tests/data/fixtures/, and raw file access for damaged-file cases.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sqlite3.h>

namespace StoreFixtures {

inline QString fixturePath(const char *name)
{
    return QString::fromLocal8Bit(qgetenv("LUMI_SOURCE_DIR")) + QLatin1String("/tests/data/fixtures/")
           + QLatin1String(name);
}

// Builds dbFile from the SQL fixture sqlName; false when the fixture or SQLite fails.
inline bool buildDatabase(const char *sqlName, const QString &dbFile)
{
    QFile sqlFile(fixturePath(sqlName));
    if (!sqlFile.open(QIODevice::ReadOnly))
        return false;
    const QByteArray sql = sqlFile.readAll();
    sqlite3 *db = nullptr;
    int rc = sqlite3_open(QFile::encodeName(dbFile).constData(), &db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The directory as the accessors take it: encoded, ending in "/".
inline QByteArray dirPath(const QTemporaryDir &dir)
{
    return QFile::encodeName(dir.path()) + '/';
}

} // namespace StoreFixtures
