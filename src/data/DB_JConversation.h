// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_JConversation final : public Dictionary
{
public:
    explicit DB_JConversation(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_JConversation() override;
};
