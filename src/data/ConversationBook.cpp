// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ConversationBook.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

ConversationBook::ConversationBook(const QByteArray &dicDir, const QByteArray &soundDir, const Statements &statements)
    : m_sql(statements)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
    if (openDatabase(dicDir + m_sql.file))
        m_count = GetCountTable(m_sql.sectionTable, true);
}

ConversationBook::~ConversationBook() = default;

DataList *ConversationBook::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!key.isEmpty() || exact)
        return nullptr;
    m_lastList.reset();
    return keepList(queryList(m_sql.sections, {start, count}, 1));
}

DataList *ConversationBook::GetDataIndexList(int section)
{
    m_slot1.reset();
    auto titles = std::make_unique<DataList>();
    const int rows = runQuery(m_sql.titles, {section}, [&titles](sqlite3_stmt *st) {
        auto *item = new DataItem(1, 1, 0, 0);
        item->SetString(0, columnString(st, 0));
        item->SetValue(0, columnInt(st, 1));
        titles->AddItem(item);
    });
    // A section without titles answers an empty list; only a book that cannot be read answers null.
    if (rows < 0)
        return nullptr;
    m_slot1 = std::move(titles);
    return m_slot1.get();
}

DataItem *ConversationBook::GetDataIndex(int title)
{
    m_lastItem.reset();
    if (!m_db)
        return nullptr;
    // An unknown title still answers an item, with empty head texts.
    auto item = std::make_unique<DataItem>(m_sql.headerStrings, 0, 1, 0);
    runQuery(m_sql.header, {title}, [&item](sqlite3_stmt *st) {
        for (int i = 0; i < item->GetStringCount(); ++i)
            item->SetString(i, columnString(st, i));
        return false;
    });
    auto lines = std::make_unique<DataList>();
    const bool lenient = m_sql.lenientSoundNames;
    runQuery(m_sql.lines, {title}, [&lines, lenient](sqlite3_stmt *st) {
        const int n = columnCount(st);
        auto *line = new DataItem(n, 0, 0, 0);
        for (int i = 0; i < n; ++i)
            line->SetString(i, columnString(st, i));
        QString sound = line->GetString(3);
        if (!sound.isEmpty() && (!lenient || sound.back().isSpace() || sound.back().unicode() < 0x20)) {
            sound.chop(1);
            line->SetString(3, sound);
        }
        lines->AddItem(line);
    });
    if (lines->GetCount() > 0)
        item->SetSubList(0, lines.release());
    return keepItem(std::move(item));
}

int ConversationBook::GetSound(const char *soundDir, const char *name, void **data, int *length)
{
    if (!soundDir || !name || !data || !length)
        return 0;
    sqlite3 *db = auxDatabase(QByteArray(soundDir) + "sound_con.sdb");
    if (!db)
        return 0;
    QByteArray clip;
    runQueryOn(db, m_sql.sound, {name}, [&clip](sqlite3_stmt *st) {
        clip = columnBytes(st, 0);
        return false;
    });
    // Always a real buffer, even for an empty clip, so that the caller's free() has something to free.
    void *buffer = std::malloc(static_cast<size_t>(clip.size()) + 1);
    if (!buffer)
        return 0;
    if (!clip.isEmpty())
        std::memcpy(buffer, clip.constData(), static_cast<size_t>(clip.size()));
    *data = buffer;
    *length = static_cast<int>(clip.size());
    return 1;
}
