// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DB_User.h"

DB_User::DB_User(const QByteArray &path)
{
    m_dicPath = path;
}

DB_User::~DB_User() = default;
