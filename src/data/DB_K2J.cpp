// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_K2J.h"

DB_K2J::DB_K2J(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_K2J::~DB_K2J() = default;
