// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_History.h"

#include <QFile>

#include <sqlite3.h>

#include <cstdio>

namespace {

const char *const kCreateStatements[] = {
        "CREATE TABLE history(ID INTEGER PRIMARY KEY, WORD TEXT, TYPE INTEGER, NUM INTEGER);",
        "CREATE INDEX history_index ON history(ID);",
        "CREATE INDEX history_index2 ON history(WORD);",
        "CREATE INDEX history_index3 ON history(TYPE);",
        "CREATE INDEX history_index4 ON history(TYPE,WORD);",
};

// Another screen's connection may be writing the same file for a moment.
constexpr int kBusyTimeoutMs = 2000;

bool isStoreKind(E_DICTIONARY kind)
{
    return kind == DICTIONARY_HISTORY || kind == DICTIONARY_VOCABULARY;
}

} // namespace

DB_History::DB_History(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    const QByteArray path = dicDir + "history.sdb";
    if (!openDatabaseReadWrite(path) && SetAsideDamagedStore(path))
        openDatabaseReadWrite(path);
    if (!m_db)
        return;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // On an existing store these fail (the table and indexes exist); that is expected.
    for (const char *sql : kCreateStatements)
        QueryExec(sql, nullptr);
    m_count = GetCountTable("history", true);
}

DB_History::~DB_History() = default;

void DB_History::refreshCount()
{
    if (m_db)
        m_count = GetCountTable("history", true);
}

bool DB_History::SetAsideDamagedStore(const QByteArray &path)
{
    if (!fileReadable(path))
        return false;
    sqlite3 *db = nullptr;
    int rc = sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_NOTADB && rc != SQLITE_CORRUPT)
        return false;

    const QString from = QFile::decodeName(path);
    QString to = from + QLatin1String(".corrupt");
    for (int n = 1; QFile::exists(to); ++n)
        to = from + QLatin1String(".corrupt.") + QString::number(n);
    if (!QFile::rename(from, to))
        return false;
    // A journal belongs to the damaged file: left behind, it would be played into the fresh store.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        if (QFile::exists(from + QLatin1String(suffix)))
            QFile::rename(from + QLatin1String(suffix), to + QLatin1String(suffix));
    }
    std::printf("== DataBase == damaged store %s set aside as %s\n", path.constData(),
                QFile::encodeName(to).constData());
    return true;
}

int DB_History::AddData(const QString &word, int type, int num, E_UNDERSTAND)
{
    if (word.isEmpty() || type < 0 || num < 0 || !m_db)
        return 0;
    const sqlite3_int64 before = sqlite3_total_changes64(m_db);
    runQuery("INSERT INTO history(WORD, TYPE, NUM) VALUES(?, ?, ?);", {word, type, num});
    const bool inserted = sqlite3_total_changes64(m_db) > before;
    refreshCount();
    return inserted ? 1 : 0;
}

int DB_History::DeleteData(int id)
{
    if (id < 0)
        return 0;
    const int rc = runQuery("DELETE FROM history WHERE ID = ?;", {id});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_History::DeleteData(bool)
{
    const int rc = runQuery("DELETE FROM history;", {});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_History::DeleteData(E_DICTIONARY kind, E_UNDERSTAND)
{
    if (isStoreKind(kind))
        return 0;
    const int rc = kind == DICTIONARY_TOTAL ? runQuery("DELETE FROM history;", {})
                                            : runQuery("DELETE FROM history WHERE TYPE = ?;", {int(kind)});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_History::GetCount(E_DICTIONARY kind, E_UNDERSTAND)
{
    if (isStoreKind(kind))
        return -1;
    int n = 0;
    auto read = [&n](sqlite3_stmt *st) {
        n = columnInt(st, 0);
        return false;
    };
    if (kind == DICTIONARY_TOTAL)
        runQuery("SELECT count(*) FROM history;", {}, read);
    else
        runQuery("SELECT count(*) FROM history WHERE TYPE = ?;", {int(kind)}, read);
    return n;
}

DataList *DB_History::GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND)
{
    m_lastList.reset();
    if (isStoreKind(kind))
        return nullptr;
    const bool byKind = kind != DICTIONARY_TOTAL;
    const QByteArray sql = QByteArray("SELECT w.WORD, w.NUM, w.TYPE, w.ID FROM history AS w")
                           + (byKind ? " WHERE TYPE = ?" : "") + orderClause(align) + " LIMIT ? OFFSET ?;";
    auto list = std::make_unique<DataList>();
    auto row = [&list](sqlite3_stmt *st) {
        auto *item = new DataItem(1, 3, 0, 0);
        item->SetString(0, columnString(st, 0));
        item->SetValue(0, columnInt(st, 1));
        item->SetValue(1, columnInt(st, 2));
        item->SetValue(2, columnInt(st, 3));
        list->AddItem(item);
    };
    if (byKind)
        runQuery(sql.constData(), {int(kind), count, offset}, row);
    else
        runQuery(sql.constData(), {count, offset}, row);
    return keepList(std::move(list));
}
