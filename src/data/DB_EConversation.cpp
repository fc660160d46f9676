// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_EConversation.h"

namespace {
const ConversationBook::Statements englishBook = {
        "econ.sdb",
        "econ_section",
        "SELECT s.section_name, s.seq FROM econ_section as s WHERE s.seq >= ? ORDER BY s.seq LIMIT ?;",
        "SELECT t.Title_kor, t.Title_no FROM econ_title as t WHERE t.Up_seq = ? ORDER BY t.Display_seq;",
        "SELECT t.Comment, t.expn FROM econ_title AS t WHERE t.Title_no = ?;",
        2,
        "SELECT c.Talker, c.Dialog_eng, c.Dialog_kor, c.SOUND2 FROM econ_conversation AS c WHERE c.title_seq = ? "
        "ORDER BY c.Talk_seq;",
        "SELECT data from e_conversation WHERE name = ?;",
        false,
};
} // namespace

DB_EConversation::DB_EConversation(const QByteArray &dicDir, const QByteArray &soundDir)
    : ConversationBook(dicDir, soundDir, englishBook)
{ }

DB_EConversation::~DB_EConversation() = default;
