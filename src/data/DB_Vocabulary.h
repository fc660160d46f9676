// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// The word book: entries the user keeps, each with a memorisation state, as (WORD, TYPE, NUM,
// UNDERSTAND) rows in "voca.sdb" of the dictionary directory, created on first use. An entry is
// identified by its dictionary and entry number, so it is kept once whatever its word text.
//
// Filters: a kind selects one dictionary's rows (DICTIONARY_TOTAL all of them); a state below 4
// (taken as unsigned) selects one memorisation state, anything else every state.
class DB_Vocabulary final : public Dictionary
{
public:
    explicit DB_Vocabulary(const QByteArray &dicDir);
    ~DB_Vocabulary() override;

    using Dictionary::DeleteData;
    using Dictionary::GetCount;
    using Dictionary::GetDataList;

    // 1 when the entry was added; 0 when it is already in the word book (same TYPE and NUM), for
    // an empty word or a negative type or number, and when the insert fails.
    int AddData(const QString &word, int type, int num, E_UNDERSTAND understand) override;
    // Sets the state of row id; 0 for a negative id. The count is unchanged.
    int EditData(int id, E_UNDERSTAND understand) override;
    int DeleteData(int id) override;
    int DeleteData(bool all) override;
    // Deletes the rows the filter selects; 0 for the store kinds.
    int DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand) override;
    // Rows the filter selects; -1 for the store kinds.
    int GetCount(E_DICTIONARY kind, E_UNDERSTAND understand) override;
    // One page: DataItem(1, 4, 0, 0) per row, string 0 WORD, values NUM, TYPE, ID, UNDERSTAND;
    // null when empty or for the store kinds.
    DataList *GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand) override;

private:
    void refreshCount();
    // Runs head + filter clauses + tail with the filter's parameters bound first, then, for a
    // page, count and offset.
    template<typename F>
    int runFiltered(const char *head, E_DICTIONARY kind, E_UNDERSTAND understand, const char *tail, bool paged,
                    int count, int offset, F &&row);
};
