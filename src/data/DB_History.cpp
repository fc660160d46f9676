// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_History.h"

DB_History::DB_History(const QByteArray &dicDir)
{
    m_dicPath = dicDir;
}

DB_History::~DB_History() = default;
