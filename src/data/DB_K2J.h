// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Korean-Japanese dictionary ("k2j.sdb").
class DB_K2J final : public Dictionary
{
public:
    explicit DB_K2J(const QByteArray &dicDir);
    ~DB_K2J() override;

    using Dictionary::GetDataList;
    // Generic rows (DataItem(2, 3, 0, 0)): word, entry number (UID), row ID (0 in exact mode).
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(2, 0, 1, 0): word, part of speech; sub-list 0 the senses by SEQ, each DataItem(1, 0, 1, 0)
    // with the meaning and, as sub-list 0, its examples flattened into one-string items (Korean,
    // then Japanese, per example). Empty strings and null sub-lists for an unknown number.
    DataItem *GetDataIndex(int n) override;

private:
    static SqlArg rowKey(sqlite3_stmt *st, int col);
};
