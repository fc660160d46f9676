// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Data.h"

#include <QByteArray>
#include <QString>

#include <memory>

struct sqlite3;

// Abstract accessor of one database kind. It holds the connection and the result slots that own
// everything it returns: each query destroys the previous result of its own slot before storing
// the new one, so a caller never frees a result and never keeps one across the next query of the
// same slot. Operations a kind does not support answer 0 or null.
class Dictionary
{
public:
    Dictionary();
    virtual ~Dictionary();
    Dictionary(const Dictionary &) = delete;
    Dictionary &operator=(const Dictionary &) = delete;

    virtual int GetCount();
    virtual int GetCount(E_DICTIONARY kind, E_UNDERSTAND understand);
    virtual DataItem *GetDataIndex(int n);
    virtual DataList *GetDataIndexList(int n);
    virtual DataList *GetDataList(int start, int count, const QString &key, bool exact);
    virtual DataList *GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand);
    virtual DataList *GetDataList(const QString &key, bool flag);
    virtual DataItem *GetChineseIndex(int n, bool flag);
    virtual DataList *GetChineseBusuList(int n);
    virtual DataList *GetChineseLineList(bool flag, int n);
    virtual DataList *GetKorea2Chinese(const QString &reading);
    virtual DataList *GetChinesLineImage(int n);
    virtual int AddData(const QString &word, int type, int num, E_UNDERSTAND understand);
    virtual int EditData(int id, E_UNDERSTAND understand);
    virtual int DeleteData(int id);
    virtual int DeleteData(bool all);
    virtual int DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand);
    // With file null, runs sql on the own connection; otherwise opens file, runs sql there, closes it.
    // Answers 1 when the statement was handed to SQLite, 0 for a null statement or no connection.
    virtual int QueryExec(const char *sql, const char *file);
    // On success allocates a buffer (freed by the caller with free()) with the whole clip.
    virtual int GetSound(const char *soundDir, const char *name, void **data, int *length);
    // "SELECT count(*) FROM t;" when all, "SELECT max(ID) FROM t;" otherwise; 0 when empty.
    virtual int GetCountTable(const char *table, bool all);
    // Generic row converter: DataItem(2, 3, 0, 0) per row; null when there are no rows.
    virtual DataList *GetQueryList(const char *sql, int cut);

protected:
    // Opens path when the file exists (read-only dictionaries) and stores the connection.
    bool openDatabase(const QByteArray &path);

    int m_count = -1;
    sqlite3 *m_db = nullptr;
    std::unique_ptr<DataItem> m_lastItem;
    std::unique_ptr<DataList> m_lastList;
    std::unique_ptr<DataList> m_slot1;
    std::unique_ptr<DataList> m_slot2;
    QByteArray m_dicPath;
    QByteArray m_soundPath;
};
