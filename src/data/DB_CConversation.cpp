// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_CConversation.h"

namespace {
// Chinese lines carry the pinyin as a fifth text.
const ConversationBook::Statements chineseBook = {
        "ccon.sdb",
        "ccon_section",
        "SELECT s.sec, s.sec_no FROM ccon_section as s WHERE s.sec_no >= ? ORDER BY s.sec_no LIMIT ?;",
        "SELECT t.Title_Kor, t.Title_no FROM ccon_title as t WHERE t.sec_no = ? ORDER BY t.Display_seq;",
        "SELECT t.expn FROM ccon_title AS t WHERE t.Title_no = ?;",
        1,
        "SELECT c.talker, c.Chinese, c.Korean, c.sound2, c.Pinyin FROM ccon_conversation AS c WHERE c.Title_no = ? "
        "ORDER BY c.seq;",
        "SELECT data from c_conversation WHERE name = ?;",
        false,
};
} // namespace

DB_CConversation::DB_CConversation(const QByteArray &dicDir, const QByteArray &soundDir)
    : ConversationBook(dicDir, soundDir, chineseBook)
{ }

DB_CConversation::~DB_CConversation() = default;
