// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Vocabulary.h"

DB_Vocabulary::DB_Vocabulary(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_Vocabulary::~DB_Vocabulary() = default;
