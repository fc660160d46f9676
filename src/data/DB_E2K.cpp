// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_E2K.h"

DB_E2K::DB_E2K(const QByteArray &dicDir, const QByteArray &soundDir)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
    if (openDatabase(m_dicPath + "e2k.sdb"))
        m_count = GetCountTable("e2k_word", false);
}

DB_E2K::~DB_E2K() = default;

DataList *DB_E2K::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return keepList(nullptr);
    if (exact)
        return keepList(queryList("SELECT w.dic_wd, w.seq_n FROM e2k_word AS w WHERE w.sc_wd = upper(?) ORDER BY w.ID;",
                                  {key}, 0));
    if (key.isEmpty())
        return keepList(
                queryList("SELECT w.dic_wd, w.seq_n, w.ID FROM e2k_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                          {start, count}, 0));
    return keepList(queryList("SELECT w.dic_wd, w.seq_n, w.ID FROM e2k_word AS w WHERE w.ID >= ( SELECT w2.ID FROM "
                              "e2k_word AS w2 WHERE w2.sc_wd >= upper(?) LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                              {key, count}, 0));
}

DataItem *DB_E2K::GetDataIndex(int n)
{
    if (!m_db)
        return keepItem(nullptr);
    auto entry = std::make_unique<DataItem>(5, 0, 5, 0);
    QByteArray plainWord;
    runQuery("SELECT w.dic_wd, w.prnc, w.impt_rt, w.pt_use, w.wd, w.sc_wd FROM e2k_word AS w WHERE w.seq_n=?;", {n},
             [&](sqlite3_stmt *st) {
                 for (int i = 0; i < 4; ++i)
                     entry->SetString(i, columnString(st, i));
                 plainWord = columnString(st, 4).toLower().toUtf8();
                 return false;
             });

    // The pronounce button is offered only for a name the sound database really holds. The test
    // looks where GetSound will read (the sound directory, the same file by the same letter rule,
    // see Dictionary::soundFileFor), so what is offered can always be played.
    if (!plainWord.isEmpty()) {
        const QByteArray soundName = plainWord + ".mp3";
        if (soundAvailable(m_soundPath.isEmpty() ? m_dicPath : m_soundPath, soundName))
            entry->SetString(4, QString::fromUtf8(soundName));
    }

    // Meaning tree: part-of-speech groups (flag 1) > senses (flag 2) > examples (flag 4).
    {
        auto top = std::make_unique<DataList>();
        DataItem *level1 = nullptr;
        DataItem *level2 = nullptr;
        DataList *level2List = nullptr;
        DataList *leafList = nullptr;
        runQuery("SELECT e.flag, e.txt FROM e2k_example AS e WHERE e.wd_seq_n=? AND e.flag<>3 AND e.flag<5 ORDER BY "
                 "e.wd_odr;",
                 {n}, [&](sqlite3_stmt *st) {
                     const int flag = columnInt(st, 0);
                     if (flag == 1) {
                         auto *node = new DataItem(1, 1, 1, 0);
                         node->SetString(0, columnString(st, 1));
                         node->SetValue(0, flag);
                         top->AddItem(node);
                         level1 = node;
                         level2List = nullptr;
                     } else if (flag == 2) {
                         if (!level1)
                             return;
                         if (!level2List) {
                             level2List = level1->GetSubList(0);
                             if (!level2List) {
                                 level2List = new DataList;
                                 level1->SetSubList(0, level2List);
                             }
                         }
                         auto *node = new DataItem(1, 1, 1, 0);
                         node->SetString(0, columnString(st, 1));
                         node->SetValue(0, flag);
                         level2List->AddItem(node);
                         level2 = node;
                         leafList = nullptr;
                     } else if (flag == 4) {
                         if (!level2)
                             return;
                         if (!leafList) {
                             leafList = level2->GetSubList(0);
                             if (!leafList) {
                                 leafList = new DataList;
                                 level2->SetSubList(0, leafList);
                             }
                         }
                         auto *leaf = new DataItem(1, 1, 0, 0);
                         leaf->SetString(0, columnString(st, 1));
                         leaf->SetValue(0, flag);
                         leafList->AddItem(leaf);
                     }
                 });
        entry->SetSubList(0, takeNonEmpty(std::move(top)));
    }

    {
        auto usage = std::make_unique<DataList>();
        runQuery("SELECT e.flag, e.txt FROM e2k_example AS e WHERE e.wd_seq_n=? AND e.flag>5 ORDER BY e.wd_odr;", {n},
                 [&](sqlite3_stmt *st) {
                     auto *line = new DataItem(1, 1, 0, 0);
                     line->SetString(0, columnString(st, 1));
                     line->SetValue(0, columnInt(st, 0));
                     usage->AddItem(line);
                 });
        entry->SetSubList(1, takeNonEmpty(std::move(usage)));
    }

    {
        auto sentences = std::make_unique<DataList>();
        runQuery("SELECT s2.sentence, s2.expn FROM e2k_sentence_search2 AS s, e2k_sentence AS s2 WHERE s.word_seq = ? "
                 "AND s2.seq = s.sentence_seq LIMIT 100;",
                 {n}, [&](sqlite3_stmt *st) {
                     auto *sentence = new DataItem(2, 0, 0, 0);
                     sentence->SetString(0, columnString(st, 0));
                     sentence->SetString(1, columnString(st, 1));
                     sentences->AddItem(sentence);
                 });
        entry->SetSubList(2, takeNonEmpty(std::move(sentences)));
    }

    {
        auto idioms = std::make_unique<DataList>();
        runQuery("SELECT e.txt FROM e2k_example AS e WHERE e.wd_seq_n=? AND e.flag=3 ORDER BY e.wd_odr;", {n},
                 [&](sqlite3_stmt *st) {
                     auto *idiom = new DataItem(1, 0, 0, 0);
                     idiom->SetString(0, columnString(st, 0));
                     idioms->AddItem(idiom);
                 });
        entry->SetSubList(3, takeNonEmpty(std::move(idioms)));
    }

    {
        auto synonyms = std::make_unique<DataList>();
        runQuery("SELECT s.usage_wd, s.definition, s.english_example1, s.korean_example1, s.english_example2, "
                 "s.korean_example2 FROM e2k_synonym AS s WHERE s.seq_n=? ORDER BY s.usage_wd;",
                 {n}, [&](sqlite3_stmt *st) {
                     auto *note = new DataItem(1, 0, 1, 0);
                     note->SetString(0, columnString(st, 0));
                     auto *parts = new DataList;
                     for (int c = 1; c <= 5; ++c) {
                         auto *part = new DataItem(1, 0, 0, 0);
                         part->SetString(0, columnString(st, c));
                         parts->AddItem(part);
                     }
                     note->SetSubList(0, parts);
                     synonyms->AddItem(note);
                 });
        entry->SetSubList(4, takeNonEmpty(std::move(synonyms)));
    }

    return keepItem(std::move(entry));
}

int DB_E2K::GetSound(const char *soundDir, const char *name, void **data, int *length)
{
    return readSound(soundDir, name, data, length);
}
