// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_EConversation.h"

DB_EConversation::DB_EConversation(const QByteArray &dicDir, const QByteArray &soundDir)
{
    m_dicPath = dicDir;
    m_soundPath = soundDir;
}

DB_EConversation::~DB_EConversation() = default;
