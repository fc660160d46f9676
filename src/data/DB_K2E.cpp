// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2E.h"

#include <sqlite3.h>

#include <vector>

DB_K2E::DB_K2E(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "k2e.sdb"))
        m_count = GetCountTable("k2e_word", false);
}

DB_K2E::~DB_K2E() = default;

DataList *DB_K2E::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return keepList(nullptr);
    auto list = std::make_unique<DataList>();
    auto addRow = [&list](sqlite3_stmt *st) {
        QString label = columnString(st, 0);
        const QString hanja = columnString(st, 1);
        if (!hanja.isEmpty())
            label += QLatin1String(" [") + hanja + QLatin1Char(']');
        auto *row = new DataItem(1, 2, 0, 0);
        row->SetString(0, label);
        row->SetValue(0, columnInt(st, 2));
        row->SetValue(1, columnInt(st, 3));
        list->AddItem(row);
    };
    if (exact)
        runQuery("SELECT w.HEADWORD, w.CHINESECHAR, w.SECTIONNO, w.ID FROM k2e_word AS w WHERE w.SEARCHWORD = ? ORDER "
                 "BY w.ID;",
                 {key}, addRow);
    else if (key.isEmpty())
        runQuery("SELECT w.HEADWORD, w.CHINESECHAR, w.SECTIONNO, w.ID FROM k2e_word AS w WHERE w.ID >= ? ORDER BY "
                 "w.ID LIMIT ?;",
                 {start, count}, addRow);
    else
        runQuery("SELECT w.HEADWORD, w.CHINESECHAR, w.SECTIONNO, w.ID FROM k2e_word AS w WHERE w.ID >= ( SELECT "
                 "w2.ID FROM k2e_word AS w2 WHERE w2.SEARCHWORD >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                 {key, count}, addRow);
    return keepList(std::move(list));
}

DataItem *DB_K2E::GetDataIndex(int n)
{
    if (!m_db)
        return keepItem(nullptr);
    auto entry = std::make_unique<DataItem>(3, 0, 2, 0);
    runQuery("SELECT w.HEADWORD, w.CHINESECHAR, w.HEADTYPE FROM k2e_word AS w WHERE w.SECTIONNO = ?;", {n},
             [&](sqlite3_stmt *st) {
                 for (int i = 0; i < 3; ++i)
                     entry->SetString(i, columnString(st, i));
                 return false;
             });

    // Senses with a meaning, each with its examples flattened into Korean, English, Korean, ...
    struct Sense
    {
        QString meaning;
        Dictionary::SqlArg number;
    };
    std::vector<Sense> senses;
    runQuery("SELECT m.MEANING, m.MEANNO FROM k2e_meaning AS m WHERE m.SECTIONNO = ? AND m.MEANING <> '' ORDER BY "
             "m.OPERSEQ;",
             {n}, [&](sqlite3_stmt *st) {
                 // The sense number keeps its stored type so that it compares as the column does.
                 if (sqlite3_column_type(st, 1) == SQLITE_INTEGER)
                     senses.push_back(
                             {columnString(st, 0), SqlArg(static_cast<long long>(sqlite3_column_int64(st, 1)))});
                 else
                     senses.push_back({columnString(st, 0), SqlArg(columnBytes(st, 1))});
             });
    auto meanings = std::make_unique<DataList>();
    for (const Sense &sense : senses) {
        auto *node = new DataItem(1, 0, 1, 0);
        node->SetString(0, sense.meaning);
        auto examples = std::make_unique<DataList>();
        runQuery("SELECT e.EXAMPLENO, e.KOR_EXAMPLE, e.ENG_EXAMPLE FROM k2e_example AS e WHERE e.MEANNO = ? ORDER BY "
                 "e.OPERSEQ;",
                 {sense.number}, [&](sqlite3_stmt *st) {
                     for (int c = 1; c <= 2; ++c) {
                         auto *line = new DataItem(1, 0, 0, 0);
                         line->SetString(0, columnString(st, c));
                         examples->AddItem(line);
                     }
                 });
        node->SetSubList(0, takeNonEmpty(std::move(examples)));
        meanings->AddItem(node);
    }
    entry->SetSubList(0, takeNonEmpty(std::move(meanings)));

    auto loose = std::make_unique<DataList>();
    runQuery("SELECT e.EXAMPLENO, e.KOR_EXAMPLE, e.ENG_EXAMPLE FROM k2e_example AS e WHERE e.MEANNO=(SELECT m.MEANNO "
             "FROM k2e_meaning AS m WHERE m.SECTIONNO = ? AND m.MEANING='') ORDER BY e.OPERSEQ;",
             {n}, [&](sqlite3_stmt *st) {
                 auto *example = new DataItem(2, 1, 0, 0);
                 example->SetValue(0, columnInt(st, 0));
                 example->SetString(0, columnString(st, 1));
                 example->SetString(1, columnString(st, 2));
                 loose->AddItem(example);
             });
    entry->SetSubList(1, takeNonEmpty(std::move(loose)));

    return keepItem(std::move(entry));
}
