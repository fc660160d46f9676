// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Old Korean dictionary ("oldkorea.sdb"): headword list and entries of the ok_word table.
class DB_OldKorea final : public Dictionary
{
public:
    explicit DB_OldKorea(const QByteArray &dicDir);
    ~DB_OldKorea() override;

    using Dictionary::GetDataList;
    // Generic rows (DataItem(2, 3, 0, 0)): headword, entry number, row ID (0 in exact mode).
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(2, 0, 0, 0): headword and body text; empty strings for an unknown number.
    DataItem *GetDataIndex(int n) override;
};
