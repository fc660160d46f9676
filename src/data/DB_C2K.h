// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Chinese-Korean dictionary ("c2k.sdb"): character entries, and the character tables of the
// keyboard (by radical, by stroke count, by Korean reading, by pinyin) with pinyin completion.
//
// Result slots: headword, stroke-count, radical and pinyin lists share the last-list slot; the
// characters of a radical and of a reading share the first further slot; the entry (also when
// asked for as a character detail) uses the last-item slot.
//
// Character rows are DataItem(5, 3, 1, 0): character, variant forms, pinyin, meaning, Korean
// reading as strings 0..4; character number as values 0 and 1; stroke count as value 2.
// Radical rows are DataItem(1, 3, 1, 0): radical; radical number (the argument of
// GetChineseBusuList) as values 0 and 1; its stroke count as value 2.
class DB_C2K final : public Dictionary
{
public:
    explicit DB_C2K(const QByteArray &dicDir);
    ~DB_C2K() override;

    using Dictionary::GetDataList;
    // DataItem(1, 2, 0, 0): character, followed by " [pinyin]" when it has one; number; row ID.
    // key empty: count rows from ID start; pinyin true: count rows from the character of the first
    // pinyin at or after key; pinyin false: every character read as key (unpaged).
    DataList *GetDataList(int start, int count, const QString &key, bool pinyin) override;
    // byCharacter false: the distinct pinyin syllables beginning with key, as one-string items.
    // byCharacter true: the characters of that pinyin, DataItem(5, 1, 0, 0) (character, variants,
    // pinyin, meaning, reading; number). Null when nothing matches.
    DataList *GetDataList(const QString &key, bool byCharacter) override;
    // DataItem(6, 0, 2, 0): character, variants, pinyin, "meaning reading", radical, stroke count.
    // Sub-list 0: senses DataItem(2, 1, 1, 0) (part of speech, meaning; number; examples as
    // DataItem(2, 1, 0, 0) example, translation; number). Sub-list 1: words with the character,
    // DataItem(2, 1, 1, 0) (word, pinyin; number; meanings DataItem(5, 1, 1, 0) word, part of speech,
    // meaning, synonym, antonym; number; examples as for senses). Sub-lists without rows stay null.
    DataItem *GetDataIndex(int n) override;
    // The same record as GetDataIndex(n).
    DataItem *GetChineseIndex(int n, bool flag) override;
    // Characters of one radical, by stroke count then reading; null when none.
    DataList *GetChineseBusuList(int n) override;
    // flag false: characters with n strokes (27 stands for "27 strokes or more"); flag true: the
    // radicals with n strokes, or all of them for n == 0. Null when none.
    DataList *GetChineseLineList(bool flag, int n) override;
    // Characters read as reading, by stroke count; null for an empty reading or when none.
    DataList *GetKorea2Chinese(const QString &reading) override;

    // The stroke count whose keyboard cell ("27획이상") lists every character of that many strokes
    // or more.
    static constexpr int LastStrokeCell = 27;

private:
    static SqlArg rowKey(sqlite3_stmt *st, int col);
    std::unique_ptr<DataList> characterRows(const char *sql, SqlArgs args);
    std::unique_ptr<DataList> titleRows(const char *sql, SqlArgs args);
};
