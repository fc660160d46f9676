// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QVarLengthArray>
#include <QVector>

#include <memory>
#include <vector>

// Database kinds; the numbers coincide with the user-facing dictionary types and are stored
// as TYPE in the history and word book.
enum E_DICTIONARY : int {
    DICTIONARY_NONE = -1,
    DICTIONARY_KOREA = 0,
    DICTIONARY_K2E = 1,
    DICTIONARY_E2E = 2,
    DICTIONARY_E2K = 3,
    DICTIONARY_HANJA = 4,
    DICTIONARY_K2J = 5,
    DICTIONARY_J2K = 6,
    DICTIONARY_K2C = 7,
    DICTIONARY_C2K = 8,
    DICTIONARY_ECONVERSATION = 9,
    DICTIONARY_JCONVERSATION = 10,
    DICTIONARY_CCONVERSATION = 11,
    DICTIONARY_HISTORY = 12,
    DICTIONARY_VOCABULARY = 13,
    DICTIONARY_USER = 14,
    DICTIONARY_OLDKOREA = 15,
    DICTIONARY_TOTAL = 16,
};

// Memorisation state of a word-book entry; 4 or more means "any state" in every filter.
enum E_UNDERSTAND : int {
    UNDERSTAND_UNKNOWN = 0,
    UNDERSTAND_UNSURE = 1,
    UNDERSTAND_MEMORIZED = 2,
    UNDERSTAND_UNSTUDIED = 3,
    UNDERSTAND_ALL = 4,
};

// Order of history and word-book lists; other values leave the order to the database.
enum E_ALIGN : int {
    ALIGN_RECENT = 0,
    ALIGN_WORD_ASC = 1,
    ALIGN_WORD_DESC = 2,
};

// One byte per database kind 0..15; a byte equal to 1 selects that kind for the integrated search.
struct _TotalDictionary
{
    unsigned char dic[16] = {};
};

class DataList;

// One result record: four index-addressed arrays sized at construction. Out-of-range access
// answers neutral values (empty string, -1, null list, null image) and never fails loudly.
class DataItem
{
public:
    DataItem(int strings, int values, int subLists, int images);
    virtual ~DataItem();
    DataItem(const DataItem &) = delete;
    DataItem &operator=(const DataItem &) = delete;

    virtual QString GetString(int i) const;
    virtual int GetValue(int i) const;
    virtual DataList *GetSubList(int i) const;
    virtual QImage GetImage(int i) const;
    virtual int GetStringCount() const;
    virtual int GetValueCount() const;
    virtual int GetSubListCount() const;
    virtual int GetImageCount() const;
    // Setters answer 1 when stored, 0 (and change nothing) for an index outside the array.
    virtual int SetString(int i, const QString &s);
    virtual int SetValue(int i, long v);
    // Takes ownership of the list (also when the index is refused, so a caller never leaks it).
    virtual int SetSubList(int i, DataList *list);
    virtual int SetImage(int i, const QImage &image);

private:
    // Records are made per row on every keystroke: strings and values live inline for the usual
    // small records, so a row costs one allocation instead of three.
    QVarLengthArray<QString, 6> m_strings;
    QVarLengthArray<int, 6> m_values;
    std::vector<std::unique_ptr<DataList>> m_subLists;
    QVector<QImage> m_images;
};

// An ordered list of records that owns its items.
class DataList
{
public:
    DataList();
    virtual ~DataList();
    DataList(const DataList &) = delete;
    DataList &operator=(const DataList &) = delete;

    virtual int GetCount() const;
    // Null for an index outside 0..GetCount()-1.
    virtual DataItem *GetItem(int i) const;
    // Answers 0 for a null item, else appends (taking ownership) and answers 1.
    virtual int AddItem(DataItem *item);

private:
    std::vector<std::unique_ptr<DataItem>> m_items;
};
