// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_User final : public Dictionary
{
public:
    explicit DB_User(const QByteArray &path);
    ~DB_User() override;
};
