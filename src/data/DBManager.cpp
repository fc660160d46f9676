// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DBManager.h"

#include "DB_C2K.h"
#include "DB_CConversation.h"
#include "DB_E2E.h"
#include "DB_E2K.h"
#include "DB_EConversation.h"
#include "DB_Hanja.h"
#include "DB_History.h"
#include "DB_J2K.h"
#include "DB_JConversation.h"
#include "DB_K2C.h"
#include "DB_K2E.h"
#include "DB_K2J.h"
#include "DB_Korea.h"
#include "DB_OldKorea.h"
#include "DB_User.h"
#include "DB_Vocabulary.h"
#include "Dictionary.h"

namespace {

// The kinds whose accessors were given the sound directory.
bool usesSoundDirectory(int kind)
{
    return kind == DICTIONARY_E2E || kind == DICTIONARY_E2K || kind == DICTIONARY_ECONVERSATION
           || kind == DICTIONARY_JCONVERSATION || kind == DICTIONARY_CCONVERSATION;
}

} // namespace

DBManager::DBManager() = default;

DBManager::~DBManager()
{
    ClearAllDB();
}

int DBManager::SetDictionaryPath(const char *dir)
{
    if (!dir)
        return 0;
    ClearAllDB();
    m_dicPath = QByteArray(dir);
    return 1;
}

const char *DBManager::GetDictionaryPath() const
{
    // Before the first SetDictionaryPath this is an empty string, never a null pointer.
    return m_dicPath.constData();
}

int DBManager::SetSoundPath(const char *dir)
{
    if (!dir)
        return 0;
    for (int kind = 0; kind < static_cast<int>(m_dics.size()); ++kind) {
        if (!usesSoundDirectory(kind) || !m_dics[kind])
            continue;
        if (m_current == m_dics[kind].get())
            m_current = nullptr;
        m_dics[kind].reset();
    }
    m_soundPath = QByteArray(dir);
    return 1;
}

const char *DBManager::GetSoundPath() const
{
    return m_soundPath.constData();
}

int DBManager::SetDictionary(int kind, const char *name)
{
    if (kind < 0 || kind > DICTIONARY_TOTAL)
        return 0;
    if (kind == DICTIONARY_USER && !name)
        return 0;

    if (kind != DICTIONARY_TOTAL) {
        auto &slot = m_dics[kind];
        if (kind == DICTIONARY_USER) {
            // The file name may differ from the last call: always open it anew.
            if (m_current == slot.get())
                m_current = nullptr;
            slot.reset();
            slot = std::make_unique<DB_User>(m_dicPath + QByteArray(name));
        } else if (!slot) {
            switch (kind) {
            case DICTIONARY_KOREA:
                slot = std::make_unique<DB_Korea>(m_dicPath);
                break;
            case DICTIONARY_K2E:
                slot = std::make_unique<DB_K2E>(m_dicPath);
                break;
            case DICTIONARY_E2E:
                slot = std::make_unique<DB_E2E>(m_dicPath, m_soundPath);
                break;
            case DICTIONARY_E2K:
                slot = std::make_unique<DB_E2K>(m_dicPath, m_soundPath);
                break;
            case DICTIONARY_HANJA:
                slot = std::make_unique<DB_Hanja>(m_dicPath);
                break;
            case DICTIONARY_K2J:
                slot = std::make_unique<DB_K2J>(m_dicPath);
                break;
            case DICTIONARY_J2K:
                slot = std::make_unique<DB_J2K>(m_dicPath);
                break;
            case DICTIONARY_K2C:
                slot = std::make_unique<DB_K2C>(m_dicPath);
                break;
            case DICTIONARY_C2K:
                slot = std::make_unique<DB_C2K>(m_dicPath);
                break;
            case DICTIONARY_ECONVERSATION:
                slot = std::make_unique<DB_EConversation>(m_dicPath, m_soundPath);
                break;
            case DICTIONARY_JCONVERSATION:
                slot = std::make_unique<DB_JConversation>(m_dicPath, m_soundPath);
                break;
            case DICTIONARY_CCONVERSATION:
                slot = std::make_unique<DB_CConversation>(m_dicPath, m_soundPath);
                break;
            case DICTIONARY_HISTORY:
                slot = std::make_unique<DB_History>(m_dicPath);
                break;
            case DICTIONARY_VOCABULARY:
                slot = std::make_unique<DB_Vocabulary>(m_dicPath);
                break;
            case DICTIONARY_OLDKOREA:
                slot = std::make_unique<DB_OldKorea>(m_dicPath);
                break;
            default:
                break;
            }
        }
    }

    m_kind = kind;
    m_current = kind == DICTIONARY_TOTAL ? nullptr : m_dics[kind].get();
    return 1;
}

int DBManager::GetDictionary() const
{
    return m_kind;
}

int DBManager::GetCount()
{
    return m_current ? m_current->GetCount() : 0;
}

int DBManager::GetCount(E_DICTIONARY kind, E_UNDERSTAND understand)
{
    return m_current ? m_current->GetCount(kind, understand) : 0;
}

DataItem *DBManager::GetDataIndex(int n)
{
    return m_current && n >= 0 ? m_current->GetDataIndex(n) : nullptr;
}

DataList *DBManager::GetDataIndexList(int n)
{
    return m_current && n >= 0 ? m_current->GetDataIndexList(n) : nullptr;
}

DataList *DBManager::GetDataList(int start, int count, const QString &key, bool exact)
{
    return m_current && start >= 0 ? m_current->GetDataList(start, count, key, exact) : nullptr;
}

DataList *DBManager::GetDataList(int offset, int count, E_DICTIONARY kind, E_ALIGN align, E_UNDERSTAND understand)
{
    return m_current && offset >= 0 ? m_current->GetDataList(offset, count, kind, align, understand) : nullptr;
}

DataList *DBManager::GetDataList(const QString &key, bool flag)
{
    return m_current && !key.isEmpty() ? m_current->GetDataList(key, flag) : nullptr;
}

DataItem *DBManager::GetChineseIndex(int n, bool flag)
{
    return m_current && n >= 0 ? m_current->GetChineseIndex(n, flag) : nullptr;
}

DataList *DBManager::GetChineseBusuList(int n)
{
    return m_current && n >= 0 ? m_current->GetChineseBusuList(n) : nullptr;
}

DataList *DBManager::GetChineseLineList(bool flag, int n)
{
    return m_current && n >= 0 ? m_current->GetChineseLineList(flag, n) : nullptr;
}

DataList *DBManager::GetKorea2Chinese(const QString &reading)
{
    return m_current ? m_current->GetKorea2Chinese(reading) : nullptr;
}

DataList *DBManager::GetChinesLineImage(int n)
{
    return m_current ? m_current->GetChinesLineImage(n) : nullptr;
}

DataList *DBManager::GetTotalList(const _TotalDictionary *which, const QString &key)
{
    if (m_kind != DICTIONARY_TOTAL || !which || key.isEmpty())
        return nullptr;

    m_totalList = std::make_unique<DataList>();
    for (int kind = 0; kind < static_cast<int>(m_dics.size()); ++kind) {
        if (which->dic[kind] != 1)
            continue;
        if (!SetDictionary(kind, nullptr))
            continue;
        if (kind == DICTIONARY_HISTORY || kind == DICTIONARY_VOCABULARY || kind == DICTIONARY_USER || !m_current)
            continue;
        const DataList *hits = m_current->GetDataList(0, 0, key, true);
        for (int i = 0; hits && i < hits->GetCount(); ++i) {
            const DataItem *hit = hits->GetItem(i);
            auto *row = new DataItem(1, 2, 0, 0);
            row->SetString(0, hit->GetString(0));
            row->SetValue(0, hit->GetValue(0));
            row->SetValue(1, kind);
            m_totalList->AddItem(row);
        }
    }
    SetDictionary(DICTIONARY_TOTAL, nullptr);
    return m_totalList.get();
}

int DBManager::AddData(const QString &word, int type, int num, E_UNDERSTAND understand)
{
    return m_current ? m_current->AddData(word, type, num, understand) : 0;
}

int DBManager::EditData(int id, E_UNDERSTAND understand)
{
    return m_current ? m_current->EditData(id, understand) : 0;
}

int DBManager::DeleteData(int id)
{
    return m_current && id >= 0 ? m_current->DeleteData(id) : 0;
}

int DBManager::DeleteData(bool all)
{
    return m_current && all ? m_current->DeleteData(true) : 0;
}

int DBManager::DeleteData(E_DICTIONARY kind, E_UNDERSTAND understand)
{
    return m_current && kind != DICTIONARY_NONE ? m_current->DeleteData(kind, understand) : 0;
}

const char *DBManager::GetVersion() const
{
    return "0.20.73";
}

int DBManager::QueryExec(const char *sql, const char *file)
{
    return m_current && sql ? m_current->QueryExec(sql, file) : 0;
}

int DBManager::GetSound(const char *name, void **data, int *length)
{
    if (!name || !*name || !m_current)
        return 0;
    return m_current->GetSound(m_soundPath.constData(), name, data, length);
}

void DBManager::ClearAllDB()
{
    m_current = nullptr;
    for (auto &dic : m_dics)
        dic.reset();
}
