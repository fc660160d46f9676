// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Korean dictionary ("korea.sdb"): headword list and entries of the k_word table.
class DB_Korea final : public Dictionary
{
public:
    explicit DB_Korea(const QByteArray &dicDir);
    ~DB_Korea() override;

    using Dictionary::GetDataList;
    // Rows are DataItem(1, 2, 0, 0): the headword (followed by " " and its Hanja spelling when that
    // has two characters or more), the entry number and the row ID. Null when nothing matches.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(3, 0, 0, 0): headword, body text, Hanja. Returned with empty strings for an unknown
    // number; null only without a database.
    DataItem *GetDataIndex(int n) override;
};
