// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_J2K.h"

DB_J2K::DB_J2K(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_J2K::~DB_J2K() = default;
