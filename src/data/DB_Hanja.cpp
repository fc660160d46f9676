// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Hanja.h"

DB_Hanja::DB_Hanja(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_Hanja::~DB_Hanja() = default;
