// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement of a DbWriter, run once per row.
class DbStatement final
{
public:
    DbStatement() = default;
    DbStatement(sqlite3 *db, const char *sql);
    ~DbStatement();
    DbStatement(DbStatement &&other) noexcept;
    DbStatement &operator=(DbStatement &&other) noexcept;
    DbStatement(const DbStatement &) = delete;
    DbStatement &operator=(const DbStatement &) = delete;

    bool isValid() const { return m_stmt != nullptr; }
    // Binds the values in order and steps once. QString -> TEXT (UTF-8), integral -> INTEGER,
    // QByteArray -> BLOB, a null QVariant -> NULL. Returns false on any SQLite error.
    bool run(std::initializer_list<QVariant> values);

private:
    sqlite3_stmt *m_stmt = nullptr;
};

// Writes one database file: created fresh under "<path>.part", filled inside one transaction,
// then finished with the indexes, ANALYZE and VACUUM and renamed into place. A writer that is
// destroyed without finish() removes its partial file, so a failed build leaves nothing behind
// that could pass for a complete database.
class DbWriter final
{
public:
    explicit DbWriter(QString finalPath);
    ~DbWriter();
    DbWriter(const DbWriter &) = delete;
    DbWriter &operator=(const DbWriter &) = delete;

    bool open(); // removes an old partial file, creates a new one, begins a transaction
    bool exec(const QString &sql); // one or several statements; false (and error()) on failure
    DbStatement prepare(const char *sql);
    qint64 scalar(const QString &sql); // the first cell of the first row as a number (0 if none)
    // Commits, runs each index statement, ANALYZE, VACUUM, closes and renames into place.
    bool finish(const QStringList &indexStatements = {});

    QString error() const { return m_error; }
    QString path() const { return m_finalPath; }
    sqlite3 *handle() const { return m_db; }

private:
    bool fail(const QString &what);
    void closeAndDiscard();

    QString m_finalPath;
    QString m_partPath;
    sqlite3 *m_db = nullptr;
    QString m_error;
};
