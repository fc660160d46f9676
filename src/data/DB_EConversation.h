// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ConversationBook.h"

// The English conversation phrasebook.
class DB_EConversation final : public ConversationBook
{
public:
    DB_EConversation(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_EConversation() override;
};
