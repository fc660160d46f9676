// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Hanja.h"

#include <sqlite3.h>

namespace {

// Drops the last character (both halves of a surrogate pair).
QString withoutLastCharacter(QString s)
{
    if (s.isEmpty())
        return s;
    const bool pair = s.size() >= 2 && s.at(s.size() - 1).isLowSurrogate() && s.at(s.size() - 2).isHighSurrogate();
    s.chop(pair ? 2 : 1);
    return s;
}

} // namespace

DB_Hanja::DB_Hanja(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "hanja.sdb"))
        m_count = GetCountTable("h_word", false);
}

DB_Hanja::~DB_Hanja() = default;

DataList *DB_Hanja::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    auto list = std::make_unique<DataList>();
    auto addRow = [&list](sqlite3_stmt *st) {
        QString label = columnString(st, 0);
        const QString hanja = columnString(st, 1);
        if (!hanja.isEmpty())
            label += QStringLiteral(" [") + hanja + QLatin1Char(']');
        auto *item = new DataItem(1, 2, 0, 0);
        item->SetString(0, label);
        item->SetValue(0, columnInt(st, 2));
        item->SetValue(1, columnInt(st, 3));
        list->AddItem(item);
    };
    if (exact) {
        runQuery("SELECT w.speech, w.hanja, w.seq, w.ID FROM h_word AS w WHERE w.speech = ? ORDER BY w.ID;", {key},
                 addRow);
    } else if (key.isEmpty()) {
        runQuery("SELECT w.speech, w.hanja, w.seq, w.ID FROM h_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                 {start, count}, addRow);
    } else {
        runQuery("SELECT w.speech, w.hanja, w.seq, w.ID FROM h_word AS w WHERE w.ID >= ( SELECT w2.ID FROM h_word AS "
                 "w2 WHERE w2.speech >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                 {key, count}, addRow);
    }
    return keepList(std::move(list));
}

DataItem *DB_Hanja::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    std::unique_ptr<DataItem> item;
    runQuery("SELECT w.speech, w.hanja, w.impt, w.comment FROM h_word AS w WHERE w.seq = ?;", {n},
             [&item](sqlite3_stmt *st) {
                 item = std::make_unique<DataItem>(3, 0, 0, 0);
                 item->SetString(0,
                                 columnString(st, 0) + QStringLiteral(" [") + columnString(st, 1) + QLatin1Char(']'));
                 item->SetString(1, columnString(st, 2));
                 item->SetString(2, columnString(st, 3));
                 return false;
             });
    return keepItem(std::move(item));
}

DataItem *DB_Hanja::GetChineseIndex(int n, bool)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(5, 0, 0, 0);
    runQuery("SELECT c.hanja, c.mean, c.speech, b.busu_name, c.tcount, c.level FROM h_character AS c, h_busu AS b "
             "WHERE c.seq = ? AND c.busucode = b.seq;",
             {n}, [&item](sqlite3_stmt *st) {
                 item->SetString(0, columnString(st, 0));
                 item->SetString(1, columnString(st, 1) + QLatin1Char(' ') + columnString(st, 2));
                 item->SetString(2, withoutLastCharacter(columnString(st, 3)));
                 item->SetString(3, columnString(st, 4));
                 item->SetString(4, columnString(st, 5));
                 return false;
             });
    return keepItem(std::move(item));
}

std::unique_ptr<DataList> DB_Hanja::characterRows(const char *sql, SqlArgs args, bool radical)
{
    auto list = std::make_unique<DataList>();
    runQuery(sql, args, [&list, radical](sqlite3_stmt *st) {
        auto *item = new DataItem(3, 3, 1, 0);
        item->SetString(0, columnString(st, 0));
        for (int c = 1; c <= 3; ++c)
            item->SetValue(c - 1, columnInt(st, c));
        const int columns = columnCount(st);
        for (int c = 4; c < columns && c <= 5; ++c) {
            const QString s = columnString(st, c);
            item->SetString(c - 3, radical ? withoutLastCharacter(s) : s);
        }
        list->AddItem(item);
    });
    return list;
}

DataList *DB_Hanja::GetChineseBusuList(int n)
{
    m_slot1.reset();
    if (!m_db)
        return nullptr;
    // The radical table of the keyboard shows an empty page rather than nothing for a radical
    // without characters, so this list is returned even when empty.
    m_slot1 = characterRows("SELECT c.hanja, c.seq, c.seq, c.tcount, c.mean, c.speech FROM h_character AS c WHERE "
                            "c.busucode = ? ORDER BY c.tcount, c.hanja;",
                            {n}, false);
    return m_slot1.get();
}

DataList *DB_Hanja::GetChineseLineList(bool flag, int n)
{
    m_lastList.reset();
    if (!m_db)
        return nullptr;
    if (!flag) {
        // Like the radical's characters: an empty list, not null, for a stroke count without characters.
        m_lastList = characterRows("SELECT c.hanja, c.seq, c.seq, c.tcount, c.mean, c.speech FROM h_character AS c "
                                   "WHERE c.tcount = ? ORDER BY c.hanja;",
                                   {n}, false);
        return m_lastList.get();
    }
    if (n == 0) {
        return keepList(characterRows("SELECT b.busu_hanja1, b.seq, c.seq, b.stroke, b.busu_name FROM h_busu AS b, "
                                      "h_character AS c WHERE b.seq = c.busucode AND b.busu_hanja1 = c.hanja ORDER BY "
                                      "b.stroke, b.busu_hanja1;",
                                      {}, true));
    }
    return keepList(characterRows("SELECT b.busu_hanja1, b.seq, c.seq, b.stroke, b.busu_name FROM h_busu AS b, "
                                  "h_character AS c WHERE b.stroke = ? AND b.seq = c.busucode AND b.busu_hanja1 = "
                                  "c.hanja ORDER BY b.stroke, b.busu_hanja1;",
                                  {n}, true));
}

DataList *DB_Hanja::GetKorea2Chinese(const QString &reading)
{
    m_slot1.reset();
    if (!m_db || reading.isEmpty())
        return nullptr;
    auto list = characterRows("SELECT c.hanja, c.seq, c.seq, c.tcount, c.mean, c.speech FROM h_character AS c WHERE "
                              "c.speech = ? ORDER BY c.tcount, c.hanja;",
                              {reading}, false);
    if (list->GetCount() > 0)
        m_slot1 = std::move(list);
    return m_slot1.get();
}

DataList *DB_Hanja::GetChinesLineImage(int n)
{
    m_slot2.reset();
    if (!m_db)
        return nullptr;
    // The image database stays open read-only after its first use (a missing file is looked for
    // again on every call): the character card asks for pictures on every tap.
    sqlite3 *images = auxDatabase(m_dicPath + "himage.sdb");
    if (!images)
        return nullptr;
    auto list = std::make_unique<DataList>();
    runQueryOn(images, "SELECT i.data FROM h_image AS i WHERE i.num = ? ORDER BY i.name;", {n},
               [&list](sqlite3_stmt *st) {
                   auto *item = new DataItem(0, 0, 0, 1);
                   item->SetImage(0, QImage::fromData(columnBytes(st, 0), "PNG"));
                   list->AddItem(item);
               });
    if (list->GetCount() > 0)
        m_slot2 = std::move(list);
    return m_slot2.get();
}
