// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2C.h"

#include <sqlite3.h>

DB_K2C::DB_K2C(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "k2c.sdb"))
        m_count = GetCountTable("k2c_word", false);
}

DB_K2C::~DB_K2C() = default;

// A parent row's key, bound with the type it is stored with.
Dictionary::SqlArg DB_K2C::rowKey(sqlite3_stmt *st, int col)
{
    if (sqlite3_column_type(st, col) == SQLITE_INTEGER)
        return SqlArg(static_cast<long long>(sqlite3_column_int64(st, col)));
    return SqlArg(columnBytes(st, col));
}

// Example, translation, pinyin.
DataItem *DB_K2C::exampleItem(sqlite3_stmt *st)
{
    auto *example = new DataItem(3, 0, 0, 0);
    for (int c = 0; c < 3; ++c)
        example->SetString(c, columnString(st, c));
    return example;
}

DataList *DB_K2C::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    std::unique_ptr<DataList> list;
    if (exact) {
        list = queryList("SELECT w.Word, w.Tnum FROM k2c_word AS w WHERE w.Word = ? ORDER BY w.ID;", {key}, 0);
    } else if (key.isEmpty()) {
        list = queryList("SELECT w.Word, w.Tnum, w.ID FROM k2c_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                         {start, count}, 0);
    } else {
        list = queryList("SELECT w.Word, w.Tnum, w.ID FROM k2c_word AS w WHERE w.ID >= ( SELECT w2.ID FROM k2c_word AS "
                         "w2 WHERE w2.Word >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                         {key, count}, 0);
    }
    return keepList(std::move(list));
}

DataItem *DB_K2C::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(3, 0, 2, 0);
    runQuery("SELECT w.Word, w.pos, w.Ch_Char FROM k2c_word AS w WHERE w.Tnum = ?;", {n}, [&item](sqlite3_stmt *st) {
        for (int c = 0; c < 3; ++c)
            item->SetString(c, columnString(st, c));
        return false;
    });

    auto senses = std::make_unique<DataList>();
    runQuery("SELECT m.Ch_Meaning, m.Ch_Me_Num FROM k2c_meaning AS m WHERE m.Tnum = ? ORDER BY m.Ch_Me_Num;", {n},
             [this, n, &senses](sqlite3_stmt *st) {
                 auto *sense = new DataItem(1, 1, 1, 0);
                 sense->SetString(0, columnString(st, 0));
                 sense->SetValue(0, columnInt(st, 1));
                 auto examples = std::make_unique<DataList>();
                 runQuery("SELECT e.Ch_Example, e.Ch_Ex_Meaning, e.Ch_Ex_Tone FROM k2c_example AS e WHERE e.Tnum = ? "
                          "AND e.Ch_Me_Num = ? ORDER BY e.Ch_Ex_Num;",
                          {n, rowKey(st, 1)}, [&examples](sqlite3_stmt *ex) { examples->AddItem(exampleItem(ex)); });
                 sense->SetSubList(0, takeNonEmpty(std::move(examples)));
                 senses->AddItem(sense);
             });
    item->SetSubList(0, takeNonEmpty(std::move(senses)));

    // Usages: the rows come ordered by usage number; a group opens at the first row and whenever the
    // usage number changes, and every row adds one sense to the open group.
    auto usages = std::make_unique<DataList>();
    DataList *groupSenses = nullptr; // not owned: sub-list 0 of the last group
    DataItem *group = nullptr; // not owned: the last item of usages
    runQuery("SELECT u.Use_Num, Use_Me_Num, u.Wd_Use, u.Use_Meaning FROM k2c_use AS u WHERE u.Tnum = ? ORDER BY "
             "u.Use_Num, u.Use_Me_Num;",
             {n}, [this, n, &usages, &group, &groupSenses](sqlite3_stmt *st) {
                 const int useNum = columnInt(st, 0);
                 if (!group || group->GetValue(0) != useNum) {
                     group = new DataItem(1, 1, 1, 0);
                     group->SetString(0, columnString(st, 2));
                     group->SetValue(0, useNum);
                     groupSenses = new DataList;
                     group->SetSubList(0, groupSenses);
                     usages->AddItem(group);
                 }
                 auto *sense = new DataItem(1, 1, 1, 0);
                 sense->SetString(0, columnString(st, 3));
                 sense->SetValue(0, columnInt(st, 1));
                 auto examples = std::make_unique<DataList>();
                 runQuery("SELECT e.Use_Example, e.Use_Ex_Meaning, e.Use_Ex_Tone FROM k2c_use_example AS e WHERE "
                          "e.Tnum = ? AND e.Use_Num = ? AND e.Use_Me_Num = ? ORDER BY e.Use_Ex_Num;",
                          {n, rowKey(st, 0), rowKey(st, 1)},
                          [&examples](sqlite3_stmt *ex) { examples->AddItem(exampleItem(ex)); });
                 sense->SetSubList(0, takeNonEmpty(std::move(examples)));
                 groupSenses->AddItem(sense);
             });
    item->SetSubList(1, takeNonEmpty(std::move(usages)));
    return keepItem(std::move(item));
}
