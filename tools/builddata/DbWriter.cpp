// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DbWriter.h"

#include <QFile>

#include <sqlite3.h>

DbStatement::DbStatement(sqlite3 *db, const char *sql)
{
    if (db && sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

DbStatement::~DbStatement()
{
    sqlite3_finalize(m_stmt);
}

DbStatement::DbStatement(DbStatement &&other) noexcept
    : m_stmt(std::exchange(other.m_stmt, nullptr))
{ }

DbStatement &DbStatement::operator=(DbStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

bool DbStatement::run(std::initializer_list<QVariant> values)
{
    if (!m_stmt)
        return false;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    int index = 1;
    for (const QVariant &value : values) {
        int rc = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::UnknownType:
        case QMetaType::Nullptr:
            rc = sqlite3_bind_null(m_stmt, index);
            break;
        case QMetaType::QString: {
            const QByteArray utf8 = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        default:
            if (value.isNull())
                rc = sqlite3_bind_null(m_stmt, index);
            else
                rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        }
        if (rc != SQLITE_OK)
            return false;
        ++index;
    }
    const int rc = sqlite3_step(m_stmt);
    // Reset at once: a statement left active would block VACUUM when the writer finishes.
    sqlite3_reset(m_stmt);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

DbWriter::DbWriter(QString finalPath)
    : m_finalPath(std::move(finalPath))
    , m_partPath(m_finalPath + QStringLiteral(".part"))
{ }

DbWriter::~DbWriter()
{
    closeAndDiscard();
}

void DbWriter::closeAndDiscard()
{
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        QFile::remove(m_partPath);
    }
}

bool DbWriter::fail(const QString &what)
{
    m_error = what + (m_db ? QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_db)) : QString());
    return false;
}

bool DbWriter::open()
{
    closeAndDiscard();
    QFile::remove(m_partPath);
    QFile::remove(m_partPath + QStringLiteral("-journal"));
    if (sqlite3_open_v2(m_partPath.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr)
        != SQLITE_OK) {
        fail(QStringLiteral("cannot create %1").arg(m_partPath));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        return false;
    }
    // The file is scratch until renamed: no journal, no syncs, a large page cache.
    return exec(QStringLiteral("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-200000;"
                               "PRAGMA page_size=4096; BEGIN;"));
}

bool DbWriter::exec(const QString &sql)
{
    if (!m_db)
        return fail(QStringLiteral("database not open"));
    char *message = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
        m_error = QString::fromUtf8(message ? message : "error") + QStringLiteral(" in: ") + sql.left(200);
        sqlite3_free(message);
        return false;
    }
    return true;
}

DbStatement DbWriter::prepare(const char *sql)
{
    DbStatement statement(m_db, sql);
    if (!statement.isValid())
        fail(QStringLiteral("cannot prepare %1").arg(QString::fromUtf8(sql)));
    return statement;
}

qint64 DbWriter::scalar(const QString &sql)
{
    if (!m_db)
        return 0;
    sqlite3_stmt *stmt = nullptr;
    qint64 value = 0;
    if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

bool DbWriter::finish(const QStringList &indexStatements)
{
    if (!exec(QStringLiteral("COMMIT;")))
        return false;
    for (const QString &statement : indexStatements) {
        if (!exec(statement))
            return false;
    }
    if (!exec(QStringLiteral("ANALYZE;")) || !exec(QStringLiteral("VACUUM;")))
        return false;
    // Statements still held by the caller keep the connection alive until they are finalised;
    // everything is committed, so the file can be renamed now.
    if (sqlite3_close_v2(m_db) != SQLITE_OK)
        return fail(QStringLiteral("cannot close %1").arg(m_partPath));
    m_db = nullptr;
    QFile::remove(m_finalPath);
    if (!QFile::rename(m_partPath, m_finalPath)) {
        QFile::remove(m_partPath);
        m_error = QStringLiteral("cannot rename %1 to %2").arg(m_partPath, m_finalPath);
        return false;
    }
    return true;
}
