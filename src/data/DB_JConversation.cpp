// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_JConversation.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

DB_JConversation::DB_JConversation(const QByteArray &dicDir, const QByteArray &soundDir)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
    if (openDatabase(dicDir + "jcon.sdb"))
        m_count = GetCountTable("jcon_section", true);
}

DB_JConversation::~DB_JConversation() = default;

DataList *DB_JConversation::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!key.isEmpty() || exact)
        return nullptr;
    m_lastList.reset();
    return keepList(queryList(
            "SELECT s.SEC, s.SEC_NUMBER FROM jcon_section as s WHERE s.SEC_NUMBER >= ? ORDER BY s.SEC_NUMBER LIMIT ?;",
            {start, count}, 1));
}

DataList *DB_JConversation::GetDataIndexList(int section)
{
    m_slot1.reset();
    auto titles = std::make_unique<DataList>();
    const int rows = runQuery("SELECT t.Title_kor, t.Title_seq FROM jcon_title as t WHERE t.sec_num = ? ORDER BY "
                              "t.Display_seq;",
                              {section}, [&titles](sqlite3_stmt *st) {
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

DataItem *DB_JConversation::GetDataIndex(int title)
{
    m_lastItem.reset();
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(1, 0, 1, 0);
    runQuery("SELECT t.Explanation FROM jcon_title AS t WHERE t.Title_seq = ?;", {title}, [&item](sqlite3_stmt *st) {
        item->SetString(0, columnString(st, 0));
        return false;
    });
    auto lines = std::make_unique<DataList>();
    runQuery("SELECT c.Talker, c.Jap, c.Kor, c.Sound2 FROM jcon_conversation AS c WHERE c.Title_seq = ? ORDER BY "
             "c.Talk_seq;",
             {title}, [&lines](sqlite3_stmt *st) {
                 auto *line = new DataItem(4, 0, 0, 0);
                 line->SetString(0, columnString(st, 0));
                 line->SetString(1, columnString(st, 1));
                 line->SetString(2, columnString(st, 2));
                 // Japanese lines offer their recording too. The other books store each sound name
                 // with a trailing line-end character; here it is dropped only when it is such a
                 // character, so a name stored without it is kept whole.
                 QString sound = columnString(st, 3);
                 if (!sound.isEmpty() && (sound.back().isSpace() || sound.back().unicode() < 0x20))
                     sound.chop(1);
                 line->SetString(3, sound);
                 lines->AddItem(line);
             });
    if (lines->GetCount() > 0)
        item->SetSubList(0, lines.release());
    return keepItem(std::move(item));
}

int DB_JConversation::GetSound(const char *soundDir, const char *name, void **data, int *length)
{
    if (!soundDir || !name || !data || !length)
        return 0;
    sqlite3 *db = auxDatabase(QByteArray(soundDir) + "sound_con.sdb");
    if (!db)
        return 0;
    QByteArray clip;
    runQueryOn(db, "SELECT data from j_conversation WHERE name = ?;", {name}, [&clip](sqlite3_stmt *st) {
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
