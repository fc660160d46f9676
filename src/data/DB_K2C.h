// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// Korean-Chinese dictionary ("k2c.sdb").
class DB_K2C final : public Dictionary
{
public:
    explicit DB_K2C(const QByteArray &dicDir);
    ~DB_K2C() override;

    using Dictionary::GetDataList;
    // Generic rows (DataItem(2, 3, 0, 0)): word, entry number (Tnum), row ID (0 in exact mode).
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(3, 0, 2, 0): word, part of speech, Chinese spelling.
    // Sub-list 0: Chinese senses, DataItem(1, 1, 1, 0) (meaning; sense number; examples as
    // DataItem(3, 0, 0, 0) example, translation, pinyin).
    // Sub-list 1: usages grouped by usage number: groups DataItem(1, 1, 1, 0) (usage; usage number;
    // senses), senses DataItem(1, 1, 1, 0) (meaning; sense number; examples as above).
    // Sub-lists without rows stay null.
    DataItem *GetDataIndex(int n) override;

private:
    static SqlArg rowKey(sqlite3_stmt *st, int col);
    static DataItem *exampleItem(sqlite3_stmt *st);
};
