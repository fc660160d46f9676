// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_JConversation.h"

namespace {
// Japanese lines offer their recording too; a sound name stored without the trailing line-end
// character is kept whole.
const ConversationBook::Statements japaneseBook = {
        "jcon.sdb",
        "jcon_section",
        "SELECT s.SEC, s.SEC_NUMBER FROM jcon_section as s WHERE s.SEC_NUMBER >= ? ORDER BY s.SEC_NUMBER LIMIT ?;",
        "SELECT t.Title_kor, t.Title_seq FROM jcon_title as t WHERE t.sec_num = ? ORDER BY t.Display_seq;",
        "SELECT t.Explanation FROM jcon_title AS t WHERE t.Title_seq = ?;",
        1,
        "SELECT c.Talker, c.Jap, c.Kor, c.Sound2 FROM jcon_conversation AS c WHERE c.Title_seq = ? ORDER BY "
        "c.Talk_seq;",
        "SELECT data from j_conversation WHERE name = ?;",
        true,
};
} // namespace

DB_JConversation::DB_JConversation(const QByteArray &dicDir, const QByteArray &soundDir)
    : ConversationBook(dicDir, soundDir, japaneseBook)
{ }

DB_JConversation::~DB_JConversation() = default;
