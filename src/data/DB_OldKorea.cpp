// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_OldKorea.h"

DB_OldKorea::DB_OldKorea(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
    if (openDatabase(m_dicPath + "oldkorea.sdb"))
        m_count = GetCountTable("ok_word", false);
}

DB_OldKorea::~DB_OldKorea() = default;

DataList *DB_OldKorea::GetDataList(int start, int count, const QString &key, bool exact)
{
    if (!m_db)
        return nullptr;
    std::unique_ptr<DataList> list;
    if (exact) {
        list = queryList("SELECT w.mody_subject, w.number FROM ok_word AS w WHERE w.scwd = ? ORDER BY w.ID;", {key}, 0);
    } else if (key.isEmpty()) {
        list = queryList(
                "SELECT w.mody_subject, w.number, w.ID FROM ok_word AS w WHERE w.ID >= ? ORDER BY w.ID LIMIT ?;",
                {start, count}, 0);
    } else {
        list = queryList("SELECT w.mody_subject, w.number, w.ID FROM ok_word AS w WHERE w.ID >= ( SELECT w2.ID FROM "
                         "ok_word AS w2 WHERE w2.scwd >= ? LIMIT 1 ) ORDER BY w.ID LIMIT ?;",
                         {key, count}, 0);
    }
    return keepList(std::move(list));
}

DataItem *DB_OldKorea::GetDataIndex(int n)
{
    if (!m_db)
        return nullptr;
    auto item = std::make_unique<DataItem>(2, 0, 0, 0);
    runQuery("SELECT w.mody_subject, w.mody_document FROM ok_word AS w WHERE w.number = ?;", {n},
             [&item](sqlite3_stmt *st) {
                 item->SetString(0, columnString(st, 0));
                 item->SetString(1, columnString(st, 1));
                 return false;
             });
    return keepItem(std::move(item));
}
