// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ConversationBook.h"

// The Chinese conversation phrasebook.
class DB_CConversation final : public ConversationBook
{
public:
    DB_CConversation(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_CConversation() override;
};
