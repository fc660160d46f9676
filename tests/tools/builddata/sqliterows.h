// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <sqlite3.h>

// Every row a statement returns from a database opened read-only, its cells joined by "|"
// (NULL reads as empty). A database or statement that fails gives one "error: ..." row, so a
// comparison shows what went wrong instead of an empty list.
inline QStringList sqliteRows(const QString &db, const QString &sql)
{
    QStringList result;
    sqlite3 *handle = nullptr;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_open_v2(db.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK
        && sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                cells << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)));
            result << cells.join(QLatin1Char('|'));
        }
    } else {
        result << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(handle));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    return result;
}
