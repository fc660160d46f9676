// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_E2E.h"

#include <cstdlib>

namespace {

// A sense number is a TEXT1 that reads back unchanged as a decimal integer ("1", "12", "-3").
bool isPlainInteger(const QByteArray &text)
{
    const long value = std::strtol(text.constData(), nullptr, 10);
    return QByteArray::number(static_cast<qlonglong>(value)) == text;
}

} // namespace

DB_E2E::DB_E2E(const QByteArray &dicDir, const QByteArray &soundDir)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
    if (openDatabase(m_dicPath + "e2e.sdb"))
        m_count = GetCountTable("e2e_word", false);
}

DB_E2E::~DB_E2E() = default;

DataList *DB_E2E::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return keepList(nullptr);
    if (exact)
        return keepList(queryList(
                "SELECT w.WORD, w.WID, w.ID FROM e2e_word AS w WHERE w.SWORD = upper(?) ORDER BY w.ID", {key}, 0));
    if (key.isEmpty())
        return keepList(
                queryList("SELECT w.WORD, w.WID, w.ID FROM e2e_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                          {start, count}, 0));
    return keepList(queryList("SELECT w.WORD, w.WID, w.ID FROM e2e_word AS w WHERE w.ID >= ( SELECT w2.ID FROM "
                              "e2e_word AS w2 WHERE w2.SWORD >= upper(?) LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                              {key, count}, 0));
}

DataItem *DB_E2E::GetDataIndex(int n)
{
    if (!m_db)
        return keepItem(nullptr);
    auto entry = std::make_unique<DataItem>(7, 0, 3, 0);
    QString word;
    runQuery("SELECT w.WORD, w.PRON, w.PDEF FROM e2e_word AS w WHERE w.WID = ?;", {n}, [&](sqlite3_stmt *st) {
        word = columnString(st, 0);
        entry->SetString(0, word);
        entry->SetString(1, columnString(st, 1));
        entry->SetString(6, columnString(st, 2));
        return false;
    });

    // The sound database is chosen from the lower-cased name, as GetSound chooses it, not from
    // WORD as stored (which may start with a capital): see Dictionary::soundFileFor.
    if (!word.isEmpty()) {
        const QByteArray soundName = word.toLower().toUtf8() + ".mp3";
        if (soundAvailable(m_soundPath.isEmpty() ? m_dicPath : m_soundPath, soundName))
            entry->SetString(2, QString::fromUtf8(soundName));
    }

    runQuery("SELECT v.CONN, v.WORD, v.PRON FROM e2e_var AS v WHERE v.WID = ?;", {n}, [&](sqlite3_stmt *st) {
        entry->SetString(4, columnString(st, 0) + QLatin1Char(' ') + columnString(st, 1));
        entry->SetString(5, columnString(st, 2));
        return false;
    });

    // Meaning tree: senses (TYPE 0 and numbered TYPE 1) > sub-senses (TYPE 2), examples (TYPE 6)
    // under the latest of either.
    {
        auto top = std::make_unique<DataList>();
        DataItem *level1 = nullptr;
        DataItem *parent = nullptr;
        DataList *leafList = nullptr;
        runQuery("SELECT e.TYPE, e.TEXT1, e.TEXT2, e.TEXT3, e.TEXT4 FROM e2e_example AS e WHERE e.WID = ? AND e.TYPE "
                 "<> 3 AND e.TYPE <> 4 AND e.TYPE <> 5 ORDER BY e.SEQ;",
                 {n}, [&](sqlite3_stmt *st) {
                     const int type = columnInt(st, 0);
                     if (type == 1 && !isPlainInteger(columnBytes(st, 1)))
                         return;
                     if (type != 0 && type != 1 && type != 2 && type != 6)
                         return;
                     QString text = columnString(st, 1);
                     for (int c = 2; c <= 4; ++c) {
                         const QString more = columnString(st, c);
                         if (!more.isEmpty())
                             text += QLatin1Char(' ') + more;
                     }
                     if (type == 0 || type == 1) {
                         auto *node = new DataItem(1, 1, 1, 0);
                         node->SetString(0, text);
                         node->SetValue(0, type);
                         top->AddItem(node);
                         level1 = node;
                         parent = node;
                     } else if (type == 2) {
                         if (!level1)
                             return;
                         DataList *children = level1->GetSubList(0);
                         if (!children) {
                             children = new DataList;
                             level1->SetSubList(0, children);
                         }
                         auto *node = new DataItem(1, 1, 1, 0);
                         node->SetString(0, text);
                         node->SetValue(0, type);
                         children->AddItem(node);
                         parent = node;
                         leafList = nullptr;
                     } else {
                         if (!parent)
                             return;
                         // Only a sub-sense closes the example list; a new sense does not.
                         if (!leafList) {
                             leafList = parent->GetSubList(0);
                             if (!leafList) {
                                 leafList = new DataList;
                                 parent->SetSubList(0, leafList);
                             }
                         }
                         auto *leaf = new DataItem(1, 1, 0, 0);
                         leaf->SetString(0, text);
                         leaf->SetValue(0, type);
                         leafList->AddItem(leaf);
                     }
                 });
        entry->SetSubList(0, takeNonEmpty(std::move(top)));
    }

    {
        auto lines = std::make_unique<DataList>();
        runQuery("SELECT e.TEXT1, e.TEXT2 FROM e2e_example AS e WHERE e.WID = ? AND e.TYPE = 4 ORDER BY e.SEQ;", {n},
                 [&](sqlite3_stmt *st) {
                     auto *line = new DataItem(1, 0, 0, 0);
                     line->SetString(0, columnString(st, 0) + QLatin1Char(' ') + columnString(st, 1));
                     lines->AddItem(line);
                 });
        entry->SetSubList(1, takeNonEmpty(std::move(lines)));
    }

    // Idiom tree: idioms (TYPE 3 and 5) with their explanations (TEXT2 and unnumbered TYPE 1 rows).
    {
        auto idioms = std::make_unique<DataList>();
        DataItem *idiom = nullptr;
        DataList *explanations = nullptr;
        runQuery("SELECT e.TYPE, e.TEXT1, e.TEXT2, e.TEXT3, e.TEXT4 FROM e2e_example AS e WHERE e.WID = ? AND e.TYPE "
                 "<> 0 AND e.TYPE <> 2 AND e.TYPE <> 4 AND e.TYPE <> 6 ORDER BY e.SEQ;",
                 {n}, [&](sqlite3_stmt *st) {
                     const int type = columnInt(st, 0);
                     if (type == 3 || type == 5) {
                         auto *node = new DataItem(1, 1, 1, 0);
                         node->SetString(0, columnString(st, 1));
                         node->SetValue(0, type);
                         idioms->AddItem(node);
                         idiom = node;
                         explanations = nullptr;
                         const QString explanation = columnString(st, 2);
                         if (!explanation.isEmpty()) {
                             explanations = new DataList;
                             auto *item = new DataItem(1, 0, 0, 0);
                             item->SetString(0, explanation);
                             explanations->AddItem(item);
                             node->SetSubList(0, explanations);
                         }
                     } else if (type == 1 && !isPlainInteger(columnBytes(st, 1))) {
                         if (!idiom)
                             return;
                         if (!explanations) {
                             explanations = new DataList;
                             idiom->SetSubList(0, explanations);
                         }
                         auto *item = new DataItem(1, 0, 0, 0);
                         item->SetString(0, columnString(st, 1));
                         explanations->AddItem(item);
                     }
                 });
        entry->SetSubList(2, takeNonEmpty(std::move(idioms)));
    }

    return keepItem(std::move(entry));
}

int DB_E2E::GetSound(const char *soundDir, const char *name, void **data, int *length)
{
    return readSound(soundDir, name, data, length);
}
