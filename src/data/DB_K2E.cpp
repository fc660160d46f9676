// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2E.h"

DB_K2E::DB_K2E(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_K2E::~DB_K2E() = default;
