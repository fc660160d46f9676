// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

// A user dictionary: table user(ID, WORD, EXPLANATION) in a file named by the caller. The IDs
// number the words in ascending word order (as the headword tables of the shipped dictionaries
// do), which is what the nearest-word lookup relies on; words added through AddWord keep it so.
// Opening never creates a file: CreateDictionary (or the lumi-userdic tool) makes one.
// GetCount() answers the largest ID, not the row count: the search list pages by ID, and rows
// deleted from the middle must not hide the last ones.
class DB_User final : public Dictionary
{
public:
    explicit DB_User(const QByteArray &path);
    ~DB_User() override;

    using Dictionary::AddData;
    using Dictionary::DeleteData;
    using Dictionary::GetDataList;

    // Exact match (all rows with the word), by ID (count rows from ID start on) or nearest (count
    // rows from the first word at or after key); string 0 WORD, value 0 ID; null when no row.
    DataList *GetDataList(int start, int count, const QString &key, bool exact) override;
    // DataItem(2, 0, 0, 0): WORD, EXPLANATION; empty strings for an unknown id.
    DataItem *GetDataIndex(int id) override;

    // Adds word with an empty explanation; 0 for an empty word or negative numbers (the numbers
    // are otherwise unused).
    virtual int AddData(QString &word, int, int);
    // 0 for a negative id; with all deletes every word, else row id.
    virtual int DeleteData(int id, bool all);

    // Adds a word with its explanation at its place in word order, renumbering the IDs after it,
    // in one transaction. 1 on success; 0 for an empty word, without a writable dictionary, or
    // when any step fails (then nothing changes).
    int AddWord(const QString &word, const QString &explanation);
    // Creates an empty user dictionary at path. 0 when the file already exists (it is never
    // replaced) or cannot be created.
    static int CreateDictionary(const QByteArray &path);

private:
    void refreshCount();
};
