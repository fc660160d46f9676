// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sqlite3.h>

// Builds databases for the English dictionaries from the SQL fixtures in tests/data/fixtures.
namespace EnglishFixtures {

inline QString fixturePath(const QString &name)
{
    return QString::fromLocal8Bit(qgetenv("LUMI_SOURCE_DIR")) + QLatin1String("/tests/data/fixtures/") + name;
}

// Runs one SQL fixture into dbFile (created when missing).
inline bool buildDatabase(const QString &sqlName, const QString &dbFile)
{
    QFile sqlFile(fixturePath(sqlName));
    if (!sqlFile.open(QIODevice::ReadOnly))
        return false;
    const QByteArray sql = sqlFile.readAll();
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(dbFile).constData(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    // One transaction without syncing: fixtures are rebuilt for every run.
    sqlite3_exec(db, "PRAGMA synchronous=OFF; BEGIN;", nullptr, nullptr, nullptr);
    int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK)
        rc = SQLITE_ERROR;
    sqlite3_close(db);
    return rc == SQLITE_OK;
}

// dir ends with "/": e2k.sdb, e2e.sdb, k2e.sdb and the sound databases sound_A, sound_b
// (lower-case file name on purpose), sound_I and sound_O.
inline bool buildAll(const QString &dir)
{
    return buildDatabase(QStringLiteral("english_e2k.sql"), dir + QLatin1String("e2k.sdb"))
           && buildDatabase(QStringLiteral("english_e2e.sql"), dir + QLatin1String("e2e.sdb"))
           && buildDatabase(QStringLiteral("english_k2e.sql"), dir + QLatin1String("k2e.sdb"))
           && buildDatabase(QStringLiteral("english_sound_A.sql"), dir + QLatin1String("sound_A.sdb"))
           && buildDatabase(QStringLiteral("english_sound_b.sql"), dir + QLatin1String("sound_b.sdb"))
           && buildDatabase(QStringLiteral("english_sound_I.sql"), dir + QLatin1String("sound_I.sdb"))
           && buildDatabase(QStringLiteral("english_sound_O.sql"), dir + QLatin1String("sound_O.sdb"));
}

} // namespace EnglishFixtures
