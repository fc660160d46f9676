// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_Korea.h"

DB_Korea::DB_Korea(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_Korea::~DB_Korea() = default;
