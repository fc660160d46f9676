// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// English-English dictionary "e2e.sdb": headword lists, entries with meaning and idiom trees,
// and recorded pronunciations.
class DB_E2E final : public Dictionary
{
public:
    explicit DB_E2E(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_E2E() override;

    using Dictionary::GetDataList;
    // Same three modes as the English-Korean list (exact, by ID, nearest); null when nothing matched.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // The entry with WID n: DataItem(7, 0, 3, 0); null only without a database.
    DataItem *GetDataIndex(int n) override;
    int GetSound(const char *soundDir, const char *name, void **data, int *length) override;
};
