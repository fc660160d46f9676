// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Japanese-Korean dictionary ("j2k.sdb").
class DB_J2K final : public Dictionary
{
public:
    explicit DB_J2K(const QByteArray &dicDir);
    ~DB_J2K() override;

    using Dictionary::GetDataList;
    // DataItem(1, 2, 0, 0): headword immediately followed by its kanji spelling, entry number, row ID.
    // Exact matches come in operseq order.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(4, 0, 2, 0): headword, kanji, headword type, importance.
    // Sub-list 0: senses, each DataItem(1, 1, 1, 0) (meaning; meanno; examples as DataItem(2, 0, 0, 0)
    // Korean, Japanese). Sub-list 1: sub-headwords, each DataItem(2, 1, 1, 0) (sub-headword, its type;
    // subsectionno; its meanings as one-string items). Sub-lists without rows stay null.
    DataItem *GetDataIndex(int n) override;

private:
    static SqlArg rowKey(sqlite3_stmt *st, int col);
};
