// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// English-Korean dictionary "e2k.sdb": headword lists, entries with meaning tree, usage lines,
// example sentences, idioms and synonym notes, and recorded pronunciations.
class DB_E2K final : public Dictionary
{
public:
    explicit DB_E2K(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_E2K() override;

    using Dictionary::GetDataList;
    // Exact: every headword whose search key equals the key; empty key: count rows from ID start;
    // otherwise count rows from the first headword at or after the key. Null when nothing matched.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // The entry with seq_n n: DataItem(5, 0, 5, 0); null only without a database.
    DataItem *GetDataIndex(int n) override;
    int GetSound(const char *soundDir, const char *name, void **data, int *length) override;
};
