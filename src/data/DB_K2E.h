// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Korean-English dictionary "k2e.sdb": headword lists and entries with senses and examples.
class DB_K2E final : public Dictionary
{
public:
    explicit DB_K2E(const QByteArray &dicDir);
    ~DB_K2E() override;

    using Dictionary::GetDataList;
    // Rows DataItem(1, 2, 0, 0): headword (with " [Hanja]" when it has one), SECTIONNO, ID.
    // The Korean key is compared unchanged. Null when nothing matched.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // The entry with SECTIONNO n: DataItem(3, 0, 2, 0); null only without a database.
    DataItem *GetDataIndex(int n) override;
};
