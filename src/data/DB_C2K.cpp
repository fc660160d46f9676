// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_C2K.h"

DB_C2K::DB_C2K(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_C2K::~DB_C2K() = default;
