// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_J2K.h"

#include <sqlite3.h>

DB_J2K::DB_J2K(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "j2k.sdb"))
        m_count = GetCountTable("j2k_word", false);
}

DB_J2K::~DB_J2K() = default;

// A parent row's key, bound with the type it is stored with.
Dictionary::SqlArg DB_J2K::rowKey(sqlite3_stmt *st, int col)
{
    if (sqlite3_column_type(st, col) == SQLITE_INTEGER)
        return SqlArg(static_cast<long long>(sqlite3_column_int64(st, col)));
    return SqlArg(columnBytes(st, col));
}

DataList *DB_J2K::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    auto list = std::make_unique<DataList>();
    auto addRow = [&list](sqlite3_stmt *st) {
        auto *item = new DataItem(1, 2, 0, 0);
        item->SetString(0, columnString(st, 0) + columnString(st, 1));
        item->SetValue(0, columnInt(st, 2));
        item->SetValue(1, columnInt(st, 3));
        list->AddItem(item);
    };
    if (exact) {
        runQuery("SELECT w.headword, w.chinesechar, w.sectionno, w.ID FROM j2k_word AS w WHERE w.searchword = ? ORDER "
                 "BY w.operseq;",
                 {key}, addRow);
    } else if (key.isEmpty()) {
        runQuery("SELECT w.headword, w.chinesechar, w.sectionno, w.ID FROM j2k_word AS w WHERE w.ID >= ? ORDER BY w.ID "
                 "LIMIT ?;",
                 {start, count}, addRow);
    } else {
        runQuery("SELECT w.headword, w.chinesechar, w.sectionno, w.ID FROM j2k_word AS w WHERE w.ID >= ( SELECT w2.ID "
                 "FROM j2k_word AS w2 WHERE w2.searchword >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                 {key, count}, addRow);
    }
    return keepList(std::move(list));
}

DataItem *DB_J2K::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(4, 0, 2, 0);
    runQuery("SELECT w.headword, w.chinesechar, w.headtype, w.importance FROM j2k_word AS w WHERE w.sectionno = ?;",
             {n}, [&item](sqlite3_stmt *st) {
                 for (int c = 0; c < 4; ++c)
                     item->SetString(c, columnString(st, c));
                 return false;
             });

    auto senses = std::make_unique<DataList>();
    runQuery("SELECT m.meanno, m.meaning FROM j2k_meaning AS m WHERE m.sectionno = ? ORDER BY m.bigidentno, "
             "m.mididentno, m.smallidentno;",
             {n}, [this, &senses](sqlite3_stmt *st) {
                 auto *sense = new DataItem(1, 1, 1, 0);
                 sense->SetValue(0, columnInt(st, 0));
                 sense->SetString(0, columnString(st, 1));
                 auto examples = std::make_unique<DataList>();
                 runQuery("SELECT e.kor_example, e.jpn_example FROM j2k_example AS e WHERE e.meanno = ? ORDER BY "
                          "e.operseq;",
                          {rowKey(st, 0)}, [&examples](sqlite3_stmt *ex) {
                              auto *example = new DataItem(2, 0, 0, 0);
                              example->SetString(0, columnString(ex, 0));
                              example->SetString(1, columnString(ex, 1));
                              examples->AddItem(example);
                          });
                 sense->SetSubList(0, takeNonEmpty(std::move(examples)));
                 senses->AddItem(sense);
             });
    item->SetSubList(0, takeNonEmpty(std::move(senses)));

    auto subwords = std::make_unique<DataList>();
    runQuery("SELECT w.subsectionno, w.subheadword, w.subheadtype FROM j2k_meaning AS m, j2k_subword AS w WHERE "
             "m.sectionno = ? AND m.meanno = w.meanno ORDER BY w.operseq;",
             {n}, [this, &subwords](sqlite3_stmt *st) {
                 auto *subword = new DataItem(2, 1, 1, 0);
                 subword->SetValue(0, columnInt(st, 0));
                 subword->SetString(0, columnString(st, 1));
                 subword->SetString(1, columnString(st, 2));
                 auto meanings = std::make_unique<DataList>();
                 runQuery("SELECT m.submeanno, m.meaning FROM j2k_submeaning AS m WHERE m.subsectionno = ? ORDER BY "
                          "m.subbigidentno, m.submididentno, m.subsmallidentno;",
                          {rowKey(st, 0)}, [&meanings](sqlite3_stmt *sm) {
                              auto *meaning = new DataItem(1, 0, 0, 0);
                              meaning->SetString(0, columnString(sm, 1));
                              meanings->AddItem(meaning);
                          });
                 subword->SetSubList(0, takeNonEmpty(std::move(meanings)));
                 subwords->AddItem(subword);
             });
    item->SetSubList(1, takeNonEmpty(std::move(subwords)));
    return keepItem(std::move(item));
}
