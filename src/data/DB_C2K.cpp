// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_C2K.h"

#include <sqlite3.h>

DB_C2K::DB_C2K(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "c2k.sdb"))
        m_count = GetCountTable("c2k_title", false);
}

DB_C2K::~DB_C2K() = default;

// A parent row's key, bound with the type it is stored with.
Dictionary::SqlArg DB_C2K::rowKey(sqlite3_stmt *st, int col)
{
    if (sqlite3_column_type(st, col) == SQLITE_INTEGER)
        return SqlArg(static_cast<long long>(sqlite3_column_int64(st, col)));
    return SqlArg(columnBytes(st, col));
}

// Headword rows: Title, Tone, Tnum, ID.
std::unique_ptr<DataList> DB_C2K::titleRows(const char *sql, SqlArgs args)
{
    auto list = std::make_unique<DataList>();
    runQuery(sql, args, [&list](sqlite3_stmt *st) {
        QString label = columnString(st, 0);
        const QString tone = columnString(st, 1);
        if (!tone.isEmpty())
            label += QStringLiteral(" [") + tone + QLatin1Char(']');
        auto *item = new DataItem(1, 2, 0, 0);
        item->SetString(0, label);
        item->SetValue(0, columnInt(st, 2));
        item->SetValue(1, columnInt(st, 3));
        list->AddItem(item);
    });
    return list;
}

// Character rows (column 0 → string 0, columns 1..3 → values 0..2, columns 4..7 → strings 1..4) and
// radical rows (the same rule over four columns).
std::unique_ptr<DataList> DB_C2K::characterRows(const char *sql, SqlArgs args)
{
    auto list = std::make_unique<DataList>();
    runQuery(sql, args, [&list](sqlite3_stmt *st) {
        const int columns = columnCount(st);
        auto *item = new DataItem(columns > 4 ? 5 : 1, 3, 1, 0);
        item->SetString(0, columnString(st, 0));
        for (int c = 1; c <= 3 && c < columns; ++c)
            item->SetValue(c - 1, columnInt(st, c));
        for (int c = 4; c < columns && c <= 7; ++c)
            item->SetString(c - 3, columnString(st, c));
        list->AddItem(item);
    });
    return list;
}

DataList *DB_C2K::GetDataList(int start, int count, const QString &key, bool pinyin)
{
    if (!m_db)
        return nullptr;
    if (key.isEmpty()) {
        return keepList(titleRows("SELECT t.Title, t.Tone, t.Tnum, t.ID FROM c2k_title AS t WHERE t.ID >= ? ORDER BY "
                                  "t.ID LIMIT ?;",
                                  {start, count}));
    }
    if (pinyin) {
        return keepList(titleRows("SELECT t.Title, t.Tone, t.Tnum, t.ID FROM c2k_title AS t WHERE t.ID >= ( SELECT "
                                  "t2.ID FROM c2k_title AS t2 WHERE t2.Tnum = ( SELECT p.Tnum FROM c2k_pinyin AS p "
                                  "WHERE p.Pinyin >= ? LIMIT 1 ) ) ORDER BY t.ID LIMIT ?;",
                                  {key, count}));
    }
    return keepList(titleRows(
            "SELECT t.Title, t.Tone, t.Tnum, t.ID FROM c2k_title AS t WHERE t.ch_read = ? ORDER BY t.ID;", {key}));
}

DataList *DB_C2K::GetDataList(const QString &key, bool byCharacter)
{
    if (!m_db)
        return nullptr;
    auto list = std::make_unique<DataList>();
    if (!byCharacter) {
        // The key is a prefix: "like 'key%'". Its own "%" and "_" keep their wildcard meaning.
        runQuery("SELECT DISTINCT p.Pinyin FROM c2k_pinyin AS p WHERE p.Pinyin like ? ORDER BY p.Pinyin;",
                 {QByteArray(key.toUtf8() + '%')}, [&list](sqlite3_stmt *st) {
                     auto *item = new DataItem(1, 0, 0, 0);
                     item->SetString(0, columnString(st, 0));
                     list->AddItem(item);
                 });
    } else {
        runQuery("SELECT t.Title, t.T_Differ, t.Tone, t.ch_meaning, t.ch_read, t.Tnum FROM c2k_pinyin AS p, c2k_title "
                 "AS t WHERE p.Pinyin = ? AND p.Tnum = t.Tnum ORDER BY t.tone;",
                 {key}, [&list](sqlite3_stmt *st) {
                     auto *item = new DataItem(5, 1, 0, 0);
                     for (int c = 0; c < 5; ++c)
                         item->SetString(c, columnString(st, c));
                     item->SetValue(0, columnInt(st, 5));
                     list->AddItem(item);
                 });
    }
    return keepList(std::move(list));
}

DataItem *DB_C2K::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(6, 0, 2, 0);
    runQuery("SELECT t.Title, t.T_Differ, t.Tone, t.ch_meaning, t.ch_read, b2.Busu, b.T_stroke FROM c2k_title AS t, "
             "c2k_busu AS b, c2k_busulist AS b2 WHERE t.Tnum = ? AND t.Tnum = b.Tnum AND b.Busu = b2.Tnum;",
             {n}, [&item](sqlite3_stmt *st) {
                 item->SetString(0, columnString(st, 0));
                 item->SetString(1, columnString(st, 1));
                 item->SetString(2, columnString(st, 2));
                 item->SetString(3, columnString(st, 3) + QLatin1Char(' ') + columnString(st, 4));
                 item->SetString(4, columnString(st, 5));
                 item->SetString(5, columnString(st, 6));
                 return false;
             });

    auto senses = std::make_unique<DataList>();
    runQuery("SELECT m.me_num, m.part, m.meaning FROM c2k_meaning AS m WHERE m.tnum = ? ORDER BY m.me_num;", {n},
             [this, n, &senses](sqlite3_stmt *st) {
                 auto *sense = new DataItem(2, 1, 1, 0);
                 sense->SetValue(0, columnInt(st, 0));
                 sense->SetString(0, columnString(st, 1));
                 sense->SetString(1, columnString(st, 2));
                 auto examples = std::make_unique<DataList>();
                 runQuery("SELECT e.Example, e.Ex_Meaning, e.Ex_Num FROM c2k_example AS e WHERE e.Tnum = ? AND "
                          "e.Me_Num = ? ORDER BY e.Ex_Num;",
                          {n, rowKey(st, 0)}, [&examples](sqlite3_stmt *ex) {
                              auto *example = new DataItem(2, 1, 0, 0);
                              example->SetString(0, columnString(ex, 0));
                              example->SetString(1, columnString(ex, 1));
                              example->SetValue(0, columnInt(ex, 2));
                              examples->AddItem(example);
                          });
                 sense->SetSubList(0, takeNonEmpty(std::move(examples)));
                 senses->AddItem(sense);
             });
    item->SetSubList(0, takeNonEmpty(std::move(senses)));

    auto words = std::make_unique<DataList>();
    runQuery("SELECT w.Wd_num, w.Word, w.Wd_Tone FROM c2k_word AS w WHERE w.Tnum = ? ORDER BY w.Wd_num;", {n},
             [this, n, &words](sqlite3_stmt *st) {
                 auto *word = new DataItem(2, 1, 1, 0);
                 word->SetValue(0, columnInt(st, 0));
                 word->SetString(0, columnString(st, 1));
                 word->SetString(1, columnString(st, 2));
                 const SqlArg wordKey = rowKey(st, 0);
                 auto meanings = std::make_unique<DataList>();
                 runQuery("SELECT m.wd_me_num, m.word, m.wd_part, m.wd_meaning, m.wd_similar, m.wd_antonym FROM "
                          "c2k_word_meaning AS m WHERE m.tnum = ? AND m.wd_num = ? ORDER BY m.wd_num;",
                          {n, wordKey}, [this, n, &wordKey, &meanings](sqlite3_stmt *wm) {
                              auto *meaning = new DataItem(5, 1, 1, 0);
                              meaning->SetValue(0, columnInt(wm, 0));
                              for (int c = 1; c <= 5; ++c)
                                  meaning->SetString(c - 1, columnString(wm, c));
                              auto examples = std::make_unique<DataList>();
                              runQuery("SELECT e.Wd_Example, e.Wd_Ex_Meaning, e.Wd_Ex_Num FROM c2k_word_example AS e "
                                       "WHERE e.Tnum = ? AND e.Wd_num = ? AND e.Wd_Me_Num = ? ORDER BY e.Wd_Ex_Num;",
                                       {n, wordKey, rowKey(wm, 0)}, [&examples](sqlite3_stmt *ex) {
                                           auto *example = new DataItem(2, 1, 0, 0);
                                           example->SetString(0, columnString(ex, 0));
                                           example->SetString(1, columnString(ex, 1));
                                           example->SetValue(0, columnInt(ex, 2));
                                           examples->AddItem(example);
                                       });
                              meaning->SetSubList(0, takeNonEmpty(std::move(examples)));
                              meanings->AddItem(meaning);
                          });
                 word->SetSubList(0, takeNonEmpty(std::move(meanings)));
                 words->AddItem(word);
             });
    item->SetSubList(1, takeNonEmpty(std::move(words)));
    return keepItem(std::move(item));
}

DataItem *DB_C2K::GetChineseIndex(int n, bool)
{
    return GetDataIndex(n);
}

DataList *DB_C2K::GetChineseBusuList(int n)
{
    m_slot1.reset();
    if (!m_db)
        return nullptr;
    auto list = characterRows("SELECT t.Title, t.Tnum, t.Tnum, b.T_stroke, t.T_Differ, t.Tone, t.ch_meaning, t.ch_read "
                              "FROM c2k_busu AS b, c2k_title AS t WHERE b.Busu = ? AND b.Tnum = t.Tnum ORDER BY "
                              "b.T_stroke, t.ch_read;",
                              {n});
    if (list->GetCount() > 0)
        m_slot1 = std::move(list);
    return m_slot1.get();
}

DataList *DB_C2K::GetChineseLineList(bool flag, int n)
{
    if (!m_db)
        return nullptr;
    if (flag && n == 0) {
        return keepList(characterRows(
                "SELECT b.Busu, b.Tnum, b.Tnum, b.stroke FROM c2k_busulist AS b ORDER BY b.stroke, b.Busu;", {}));
    }
    if (flag) {
        return keepList(characterRows("SELECT b.Busu, b.Tnum, b.Tnum, b.stroke FROM c2k_busulist AS b WHERE b.stroke = "
                                      "? ORDER BY b.stroke, b.Busu;",
                                      {n}));
    }
    if (n == LastStrokeCell) {
        // The keyboard labels this cell "27획이상", 27 strokes or more: characters of exactly 27
        // strokes belong here, since no other cell reaches them.
        return keepList(characterRows("SELECT t.Title, t.Tnum, t.Tnum, b.T_stroke, t.T_Differ, t.Tone, t.ch_meaning, "
                                      "t.ch_read FROM c2k_busu AS b, c2k_title AS t WHERE b.T_stroke >= ? AND b.Tnum = "
                                      "t.Tnum ORDER BY t.ID;",
                                      {n}));
    }
    return keepList(characterRows("SELECT t.Title, t.Tnum, t.Tnum, b.T_stroke, t.T_Differ, t.Tone, t.ch_meaning, "
                                  "t.ch_read FROM c2k_busu AS b, c2k_title AS t WHERE b.T_stroke = ? AND b.Tnum = "
                                  "t.Tnum ORDER BY t.ID;",
                                  {n}));
}

DataList *DB_C2K::GetKorea2Chinese(const QString &reading)
{
    m_slot1.reset();
    if (!m_db || reading.isEmpty())
        return nullptr;
    auto list = characterRows("SELECT t.Title, t.Tnum, t.Tnum, b.T_stroke, t.T_Differ, t.Tone, t.ch_meaning, t.ch_read "
                              "FROM c2k_title AS t, c2k_busu AS b WHERE t.ch_read = ? AND t.Tnum = b.Tnum ORDER BY "
                              "b.T_stroke;",
                              {reading});
    if (list->GetCount() > 0)
        m_slot1 = std::move(list);
    return m_slot1.get();
}
