// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Vocabulary.h"

#include "DB_History.h"

#include <sqlite3.h>

namespace {

const char *const kCreateStatements[] = {
        "CREATE TABLE vocabulary(ID INTEGER PRIMARY KEY, WORD TEXT, TYPE INTEGER, NUM INTEGER, UNDERSTAND INTEGER);",
        "CREATE INDEX vocabulary_index ON vocabulary(ID);",
        "CREATE INDEX vocabulary_index2 ON vocabulary(WORD);",
        "CREATE INDEX vocabulary_index3 ON vocabulary(TYPE);",
        "CREATE INDEX vocabulary_index4 ON vocabulary(TYPE,WORD);",
        "CREATE INDEX vocabulary_index5 ON vocabulary(UNDERSTAND);",
        "CREATE INDEX vocabulary_index6 ON vocabulary(UNDERSTAND,WORD);",
};

constexpr int kBusyTimeoutMs = 2000;

bool isStoreKind(E_DICTIONARY kind)
{
    return kind == DICTIONARY_HISTORY || kind == DICTIONARY_VOCABULARY;
}

bool filtersState(E_UNDERSTAND understand)
{
    return static_cast<unsigned>(understand) < 4;
}

} // namespace

DB_Vocabulary::DB_Vocabulary(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    const QByteArray path = dicDir + "voca.sdb";
    if (!openDatabaseReadWrite(path) && DB_History::SetAsideDamagedStore(path))
        openDatabaseReadWrite(path);
    if (!m_db)
        return;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // On an existing store these fail (the table and indexes exist); that is expected.
    for (const char *sql : kCreateStatements)
        QueryExec(sql, nullptr);
    m_count = GetCountTable("vocabulary", true);
}

DB_Vocabulary::~DB_Vocabulary() = default;

void DB_Vocabulary::refreshCount()
{
    if (m_db)
        m_count = GetCountTable("vocabulary", true);
}

template<typename F>
int DB_Vocabulary::runFiltered(const char *head, E_DICTIONARY kind, E_UNDERSTAND understand, const char *tail,
                               bool paged, int count, int offset, F &&row)
{
    const bool byKind = kind != DICTIONARY_TOTAL;
    const bool byState = filtersState(understand);
    const QByteArray sql = QByteArray(head) + (byKind ? " WHERE TYPE = ?" : " WHERE 1")
                           + (byState ? " AND UNDERSTAND = ?" : "") + tail;
    const char *text = sql.constData();
    const int k = kind;
    const int u = understand;
    if (paged) {
        if (byKind && byState)
            return runQuery(text, {k, u, count, offset}, row);
        if (byKind)
            return runQuery(text, {k, count, offset}, row);
        if (byState)
            return runQuery(text, {u, count, offset}, row);
        return runQuery(text, {count, offset}, row);
    }
    if (byKind && byState)
        return runQuery(text, {k, u}, row);
    if (byKind)
        return runQuery(text, {k}, row);
    if (byState)
        return runQuery(text, {u}, row);
    return runQuery(text, {}, row);
}

int DB_Vocabulary::AddData(const QString &word, int type, int num, E_UNDERSTAND understand)
{
    if (word.isEmpty() || type < 0 || num < 0 || !m_db)
        return 0;
    const int existing = runQuery("SELECT * FROM vocabulary WHERE TYPE=? AND NUM=?;", {type, num},
                                  [](sqlite3_stmt *) { return false; });
    if (existing != 0)
        return 0; // already in the word book (or the store cannot be read)
    const sqlite3_int64 before = sqlite3_total_changes64(m_db);
    runQuery("INSERT INTO vocabulary(WORD, TYPE, NUM, UNDERSTAND) VALUES(?, ?, ?, ?);",
             {word, type, num, int(understand)});
    const bool inserted = sqlite3_total_changes64(m_db) > before;
    refreshCount();
    return inserted ? 1 : 0;
}

int DB_Vocabulary::EditData(int id, E_UNDERSTAND understand)
{
    if (id < 0)
        return 0;
    return runQuery("UPDATE vocabulary SET UNDERSTAND=? WHERE ID=?;", {int(understand), id}) < 0 ? 0 : 1;
}

int DB_Vocabulary::DeleteData(int id)
{
    if (id < 0)
        return 0;
    const int rc = runQuery("DELETE FROM vocabulary WHERE ID = ?;", {id});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_Vocabulary::DeleteData(bool)
{
    const int rc = runQuery("DELETE FROM vocabulary;", {});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_Vocabulary::DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand)
{
    if (isStoreKind(kind))
        return 0;
    const int rc = runFiltered("DELETE FROM vocabulary", kind, understand, ";", false, 0, 0, [](sqlite3_stmt *) {});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_Vocabulary::GetCount(E_DICTIONARY kind, E_UNDERSTAND understand)
{
    if (isStoreKind(kind))
        return -1;
    int n = 0;
    runFiltered("SELECT count(*) FROM vocabulary", kind, understand, ";", false, 0, 0, [&n](sqlite3_stmt *st) {
        n = columnInt(st, 0);
        return false;
    });
    return n;
}

DataList *DB_Vocabulary::GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand)
{
    m_lastList.reset();
    if (isStoreKind(kind))
        return nullptr;
    const QByteArray tail = QByteArray(orderClause(align)) + " LIMIT ? OFFSET ?;";
    auto list = std::make_unique<DataList>();
    runFiltered("SELECT WORD, NUM, TYPE, ID, UNDERSTAND FROM vocabulary", kind, understand, tail.constData(), true,
                count, offset, [&list](sqlite3_stmt *st) {
                    auto *item = new DataItem(1, 4, 0, 0);
                    item->SetString(0, columnString(st, 0));
                    item->SetValue(0, columnInt(st, 1));
                    item->SetValue(1, columnInt(st, 2));
                    item->SetValue(2, columnInt(st, 3));
                    item->SetValue(3, columnInt(st, 4));
                    list->AddItem(item);
                });
    return keepList(std::move(list));
}
