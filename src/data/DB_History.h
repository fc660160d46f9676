// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// The search history: every entry the user opened, as (WORD, TYPE, NUM) rows in "history.sdb"
// of the dictionary directory. The file and its table are created on first use.
class DB_History final : public Dictionary
{
public:
    explicit DB_History(const QByteArray &dicDir);
    ~DB_History() override;

    using Dictionary::DeleteData;
    using Dictionary::GetCount;
    using Dictionary::GetDataList;

    // Appends a row (no duplicate check); 0 for an empty word or a negative type or number.
    int AddData(const QString &word, int type, int num, E_UNDERSTAND understand) override;
    // 0 for a negative id; else 1 once the statement ran (also when no row matched).
    int DeleteData(int id) override;
    int DeleteData(bool all) override;
    // Deletes one dictionary's rows, every row for DICTIONARY_TOTAL; 0 for the store kinds.
    int DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand) override;
    // Rows of one dictionary (all for DICTIONARY_TOTAL); -1 for the store kinds.
    int GetCount(E_DICTIONARY kind, E_UNDERSTAND understand) override;
    // One page: DataItem(1, 3, 0, 0) per row, string 0 WORD, values NUM, TYPE, ID; null when empty.
    DataList *GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand) override;

    // Called when a user store does not open: when SQLite reports the file at path as damaged or
    // not a database, renames it (with its journal) to path + ".corrupt" (".corrupt.1", ... when
    // taken) and answers true, so that a fresh store can be started while the user's bytes stay
    // available for recovery. A file that is merely locked, unreadable or missing is left alone
    // (false). Shared by the history and the word book.
    static bool SetAsideDamagedStore(const QByteArray &path);

private:
    // The count follows every insert and delete.
    void refreshCount();
};
