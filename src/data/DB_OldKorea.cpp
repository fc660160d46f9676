// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_OldKorea.h"

DB_OldKorea::DB_OldKorea(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_OldKorea::~DB_OldKorea() = default;
