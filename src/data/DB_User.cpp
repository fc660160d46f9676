// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_User.h"

#include <QFile>

#include <sqlite3.h>

namespace {

constexpr int kBusyTimeoutMs = 2000;

} // namespace

DB_User::DB_User(const QByteArray &path)
{
    m_dicPath = path;
    // Read-write so that words can be added and deleted; a file that is not there stays absent.
    if (!fileReadable(path) || !openDatabaseReadWrite(path))
        return;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    refreshCount();
}

DB_User::~DB_User() = default;

void DB_User::refreshCount()
{
    if (m_db)
        m_count = GetCountTable("user", false);
}

DataList *DB_User::GetDataList(int start, int count, const QString &key, bool exact)
{
    m_lastList.reset();
    std::unique_ptr<DataList> list;
    if (exact)
        list = queryList("SELECT u.WORD, u.ID FROM user AS u WHERE u.WORD = ? ORDER BY u.ID;", {key}, 0);
    else if (key.isEmpty())
        list = queryList("SELECT u.WORD, u.ID FROM user AS u WHERE u.ID >= ? ORDER BY u.ID LIMIT ?;", {start, count},
                         0);
    else
        list = queryList("SELECT u.WORD, u.ID FROM user AS u WHERE u.ID >= ( SELECT u2.ID FROM user AS u2 WHERE "
                         "u2.WORD >= ? LIMIT 1 ) ORDER BY u.ID LIMIT ?;",
                         {key, count}, 0);
    return keepList(std::move(list));
}

DataItem *DB_User::GetDataIndex(int id)
{
    m_lastItem.reset();
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(2, 0, 0, 0);
    runQuery("SELECT u.WORD, u.EXPLANATION FROM user AS u WHERE u.ID = ?;", {id}, [&item](sqlite3_stmt *st) {
        item->SetString(0, columnString(st, 0));
        item->SetString(1, columnString(st, 1));
        return false;
    });
    return keepItem(std::move(item));
}

int DB_User::AddData(QString &word, int a, int b)
{
    if (word.isEmpty() || a < 0 || b < 0)
        return 0;
    return AddWord(word, QString());
}

int DB_User::DeleteData(int id, bool all)
{
    if (id < 0)
        return 0;
    const int rc = all ? runQuery("DELETE FROM user;", {}) : runQuery("DELETE FROM user WHERE ID = ?;", {id});
    refreshCount();
    return rc < 0 ? 0 : 1;
}

int DB_User::AddWord(const QString &word, const QString &explanation)
{
    if (word.isEmpty() || !m_db || sqlite3_db_readonly(m_db, "main") != 0)
        return 0;
    if (sqlite3_exec(m_db, "BEGIN IMMEDIATE;", nullptr, nullptr, nullptr) != SQLITE_OK)
        return 0;

    bool ok = true;
    sqlite3_int64 changes = sqlite3_total_changes64(m_db);
    // Each step must change what it should; a failing one rolls everything back.
    auto changed = [this, &changes](sqlite3_int64 expected) {
        const sqlite3_int64 now = sqlite3_total_changes64(m_db);
        const bool good = now - changes == expected;
        changes = now;
        return good;
    };

    long long top = 0;
    long long place = 0;
    ok = runQuery("SELECT max(ID) FROM user;", {}, [&top](sqlite3_stmt *st) { top = sqlite3_column_int64(st, 0); })
         >= 0;
    // The new word goes before the first word that sorts after it, or at the end.
    ok = ok && runQuery("SELECT min(ID) FROM user WHERE WORD > ?;", {word}, [&place](sqlite3_stmt *st) {
                   place = sqlite3_column_int64(st, 0);
               }) >= 0;
    if (ok && place > 0) {
        long long moved = 0;
        ok = runQuery("SELECT count(*) FROM user WHERE ID >= ?;", {place},
                      [&moved](sqlite3_stmt *st) { moved = sqlite3_column_int64(st, 0); })
             >= 0;
        // Make room at place: move the following rows one up, by way of IDs above the largest one
        // so that no intermediate ID collides with a row not yet moved.
        const long long lift = top - place + 2;
        ok = ok && runQuery("UPDATE user SET ID = ID + ? WHERE ID >= ?;", {lift, place}) >= 0 && changed(moved);
        ok = ok && runQuery("UPDATE user SET ID = ID - ? WHERE ID > ?;", {lift - 1, top}) >= 0 && changed(moved);
    } else {
        place = top + 1;
    }
    ok = ok && runQuery("INSERT INTO user(ID, WORD, EXPLANATION) VALUES(?, ?, ?);", {place, word, explanation}) >= 0
         && changed(1);

    if (ok && sqlite3_exec(m_db, "COMMIT;", nullptr, nullptr, nullptr) == SQLITE_OK) {
        refreshCount();
        return 1;
    }
    sqlite3_exec(m_db, "ROLLBACK;", nullptr, nullptr, nullptr);
    refreshCount();
    return 0;
}

int DB_User::CreateDictionary(const QByteArray &path)
{
    if (path.isEmpty() || QFile::exists(QFile::decodeName(path)))
        return 0;
    sqlite3 *db = nullptr;
    // SQLITE_OPEN_EXCLUSIVE is not honoured by sqlite3_open_v2, hence the existence test above.
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return 0;
    }
    const int rc = sqlite3_exec(db,
                                "BEGIN;"
                                "CREATE TABLE user(ID INTEGER PRIMARY KEY, WORD TEXT, EXPLANATION TEXT);"
                                "CREATE INDEX user_index ON user(WORD);"
                                "COMMIT;",
                                nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_OK ? 1 : 0;
}
