// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2C.h"

DB_K2C::DB_K2C(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_K2C::~DB_K2C() = default;
