// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Data.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

class Dictionary;

// The data-layer front: opens accessors lazily by kind, forwards every query to the current one
// and runs the integrated search. Results stay owned by the accessor (or by the manager for the
// integrated-search list).
class DBManager
{
public:
    DBManager();
    virtual ~DBManager();
    DBManager(const DBManager &) = delete;
    DBManager &operator=(const DBManager &) = delete;

    virtual int SetDictionaryPath(const char *dir);
    virtual const char *GetDictionaryPath() const;
    virtual int SetSoundPath(const char *dir);
    virtual const char *GetSoundPath() const;
    virtual int SetDictionary(int kind, const char *name);
    virtual int GetDictionary() const;
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
    virtual DataList *GetTotalList(const _TotalDictionary *which, const QString &key);
    virtual int AddData(const QString &word, int type, int num, E_UNDERSTAND understand);
    virtual int EditData(int id, E_UNDERSTAND understand);
    virtual int DeleteData(int id);
    virtual int DeleteData(bool all);
    virtual int DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand);
    virtual const char *GetVersion() const;
    virtual int QueryExec(const char *sql, const char *file);
    virtual int GetSound(const char *name, void **data, int *length);
    virtual void ClearAllDB();

private:
    std::array<std::unique_ptr<Dictionary>, 16> m_dics;
    Dictionary *m_current = nullptr; // not owned: an entry of m_dics
    int m_kind = -1;
    std::unique_ptr<DataList> m_totalList;
    QByteArray m_dicPath;
    QByteArray m_soundPath;
};
