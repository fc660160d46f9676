// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_CConversation.h"

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

DB_CConversation::DB_CConversation(const QByteArray &dicDir, const QByteArray &soundDir)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
    if (openDatabase(dicDir + "ccon.sdb"))
        m_count = GetCountTable("ccon_section", true);
}

DB_CConversation::~DB_CConversation() = default;

DataList *DB_CConversation::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!key.isEmpty() || exact)
        return nullptr;
    m_lastList.reset();
    return keepList(
            queryList("SELECT s.sec, s.sec_no FROM ccon_section as s WHERE s.sec_no >= ? ORDER BY s.sec_no LIMIT ?;",
                      {start, count}, 1));
}

DataList *DB_CConversation::GetDataIndexList(int section)
{
    m_slot1.reset();
    auto titles = std::make_unique<DataList>();
    const int rows = runQuery("SELECT t.Title_Kor, t.Title_no FROM ccon_title as t WHERE t.sec_no = ? ORDER BY "
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

DataItem *DB_CConversation::GetDataIndex(int title)
{
    m_lastItem.reset();
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(1, 0, 1, 0);
    runQuery("SELECT t.expn FROM ccon_title AS t WHERE t.Title_no = ?;", {title}, [&item](sqlite3_stmt *st) {
        item->SetString(0, columnString(st, 0));
        return false;
    });
    auto lines = std::make_unique<DataList>();
    runQuery("SELECT c.talker, c.Chinese, c.Korean, c.sound2, c.Pinyin FROM ccon_conversation AS c WHERE "
             "c.Title_no = ? ORDER BY c.seq;",
             {title}, [&lines](sqlite3_stmt *st) {
                 auto *line = new DataItem(5, 0, 0, 0);
                 line->SetString(0, columnString(st, 0));
                 line->SetString(1, columnString(st, 1));
                 line->SetString(2, columnString(st, 2));
                 // The book stores every sound name with one trailing character the sound table lacks.
                 QString sound = columnString(st, 3);
                 sound.chop(1);
                 line->SetString(3, sound);
                 line->SetString(4, columnString(st, 4));
                 lines->AddItem(line);
             });
    if (lines->GetCount() > 0)
        item->SetSubList(0, lines.release());
    return keepItem(std::move(item));
}

int DB_CConversation::GetSound(const char *soundDir, const char *name, void **data, int *length)
{
    if (!soundDir || !name || !data || !length)
        return 0;
    sqlite3 *db = auxDatabase(QByteArray(soundDir) + "sound_con.sdb");
    if (!db)
        return 0;
    QByteArray clip;
    runQueryOn(db, "SELECT data from c_conversation WHERE name = ?;", {name}, [&clip](sqlite3_stmt *st) {
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
