// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Korea.h"

namespace {

// Counts characters, not UTF-16 units: a Hanja outside the BMP is still one character.
int characterCount(const QString &s)
{
    int n = 0;
    for (const QChar c : s) {
        if (!c.isLowSurrogate())
            ++n;
    }
    return n;
}

} // namespace

DB_Korea::DB_Korea(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "korea.sdb"))
        m_count = GetCountTable("k_word", false);
}

DB_Korea::~DB_Korea() = default;

DataList *DB_Korea::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    auto list = std::make_unique<DataList>();
    auto addRow = [&list](sqlite3_stmt *st) {
        QString label = columnString(st, 0);
        const QString hanja = columnString(st, 1);
        // A one-character Hanja spelling says nothing the reading does not: it is not listed.
        if (characterCount(hanja) >= 2)
            label += QLatin1Char(' ') + hanja;
        auto *item = new DataItem(1, 2, 0, 0);
        item->SetString(0, label);
        item->SetValue(0, columnInt(st, 2));
        item->SetValue(1, columnInt(st, 3));
        list->AddItem(item);
    };
    if (exact) {
        runQuery("SELECT w.mody_subject, w.hanja, w.number, w.ID FROM k_word AS w WHERE w.mody_s_id = ? ORDER BY "
                 "w.ID;",
                 {key}, addRow);
    } else if (key.isEmpty()) {
        runQuery("SELECT w.mody_subject, w.hanja, w.number, w.ID FROM k_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT "
                 "?;",
                 {start, count}, addRow);
    } else {
        runQuery("SELECT w.mody_subject, w.hanja, w.number, w.ID FROM k_word AS w WHERE w.ID >= ( SELECT w2.ID FROM "
                 "k_word AS w2 WHERE w2.mody_s_id >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                 {key, count}, addRow);
    }
    return keepList(std::move(list));
}

DataItem *DB_Korea::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(3, 0, 0, 0);
    runQuery("SELECT w.mody_subject, w.mody_document, w.hanja FROM k_word AS w WHERE w.number = ?;", {n},
             [&item](sqlite3_stmt *st) {
                 for (int c = 0; c < 3; ++c)
                     item->SetString(c, columnString(st, c));
                 return false;
             });
    return keepItem(std::move(item));
}
