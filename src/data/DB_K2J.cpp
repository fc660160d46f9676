// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2J.h"

#include <sqlite3.h>

DB_K2J::DB_K2J(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "k2j.sdb"))
        m_count = GetCountTable("k2j_word", false);
}

DB_K2J::~DB_K2J() = default;

// A parent row's key, bound with the type it is stored with, so the child statement compares it
// exactly as the parent's own column value.
Dictionary::SqlArg DB_K2J::rowKey(sqlite3_stmt *st, int col)
{
    if (sqlite3_column_type(st, col) == SQLITE_INTEGER)
        return SqlArg(static_cast<long long>(sqlite3_column_int64(st, col)));
    return SqlArg(columnBytes(st, col));
}

DataList *DB_K2J::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    std::unique_ptr<DataList> list;
    if (exact) {
        list = queryList("SELECT w.Word, w.UID FROM k2j_word AS w WHERE w.PWord = ? ORDER BY w.ID;", {key}, 0);
    } else if (key.isEmpty()) {
        list = queryList("SELECT w.Word, w.UID, w.ID FROM k2j_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                         {start, count}, 0);
    } else {
        list = queryList("SELECT w.Word, w.UID, w.ID FROM k2j_word AS w WHERE w.ID >= ( SELECT w2.ID FROM k2j_word AS "
                         "w2 WHERE w2.PWord >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                         {key, count}, 0);
    }
    return keepList(std::move(list));
}

DataItem *DB_K2J::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(2, 0, 1, 0);
    runQuery("SELECT w.Word, w.pos_unicode FROM k2j_word AS w WHERE w.UID = ?;", {n}, [&item](sqlite3_stmt *st) {
        item->SetString(0, columnString(st, 0));
        item->SetString(1, columnString(st, 1));
        return false;
    });

    auto senses = std::make_unique<DataList>();
    runQuery("SELECT m.Mean, m.MID FROM k2j_meaning AS m WHERE m.UID = ? ORDER BY m.SEQ;", {n},
             [this, &senses](sqlite3_stmt *st) {
                 auto *sense = new DataItem(1, 0, 1, 0);
                 sense->SetString(0, columnString(st, 0));
                 auto examples = std::make_unique<DataList>();
                 runQuery("SELECT e.KOR, e.JAP FROM k2j_example AS e WHERE e.MID = ? ORDER BY e.SEQ;", {rowKey(st, 1)},
                          [&examples](sqlite3_stmt *ex) {
                              for (int c = 0; c < 2; ++c) {
                                  auto *line = new DataItem(1, 0, 0, 0);
                                  line->SetString(0, columnString(ex, c));
                                  examples->AddItem(line);
                              }
                          });
                 sense->SetSubList(0, takeNonEmpty(std::move(examples)));
                 senses->AddItem(sense);
             });
    item->SetSubList(0, takeNonEmpty(std::move(senses)));
    return keepItem(std::move(item));
}
