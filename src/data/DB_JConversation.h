// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ConversationBook.h"

// The Japanese conversation phrasebook.
class DB_JConversation final : public ConversationBook
{
public:
    DB_JConversation(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_JConversation() override;
};
