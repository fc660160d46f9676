// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Hanja dictionary ("hanja.sdb", stroke-order images in "himage.sdb"): Hanja words, and the
// single-character tables of the character keyboard and the character view.
//
// Result slots: the entry and the character detail share the last-item slot; the headword list and
// the stroke-count and radical lists share the last-list slot; the characters of a radical and of
// a reading share the first further slot; the stroke-order images use the second. A query replaces
// only what its own slot held.
//
// Character rows are DataItem(3, 3, 1, 0): character, meaning, reading as strings 0, 1, 2; the
// character number as values 0 and 1; the stroke count as value 2. Radical rows use the same shape:
// radical, its name; radical number (the argument of GetChineseBusuList), number of the character
// that is the radical itself, the radical's stroke count.
class DB_Hanja final : public Dictionary
{
public:
    explicit DB_Hanja(const QByteArray &dicDir);
    ~DB_Hanja() override;

    using Dictionary::GetDataList;
    // DataItem(1, 2, 0, 0): reading, followed by " [Hanja]" when the word has a Hanja spelling;
    // entry number; row ID. Null when nothing matches.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(3, 0, 0, 0): "reading [Hanja]", importance, explanation; null for an unknown number.
    DataItem *GetDataIndex(int n) override;
    // DataItem(5, 0, 0, 0): character, "meaning reading", radical name, stroke count, grade. Returned
    // with empty strings when the character (or its radical) is unknown.
    DataItem *GetChineseIndex(int n, bool flag) override;
    // Characters of one radical by stroke count, then character; an empty list when there are none.
    DataList *GetChineseBusuList(int n) override;
    // flag false: characters with n strokes (an empty list when there are none);
    // flag true: the radicals with n strokes, or all of them for n == 0 (null when there are none).
    DataList *GetChineseLineList(bool flag, int n) override;
    // Characters read as reading, by stroke count; null for an empty reading or when there are none.
    DataList *GetKorea2Chinese(const QString &reading) override;
    // One DataItem(0, 0, 0, 1) per stroke-order image, in name order; a blob that does not decode
    // as PNG gives a null image. Null when the character has no images or "himage.sdb" is missing.
    DataList *GetChinesLineImage(int n) override;

private:
    // Runs a character or radical statement and converts its rows (see above); the radical
    // statements store names with one trailing character that is cut off.
    std::unique_ptr<DataList> characterRows(const char *sql, SqlArgs args, bool radical);
};
