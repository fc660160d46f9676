// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_C2K final : public Dictionary
{
public:
    explicit DB_C2K(const QByteArray &dicDir);
    ~DB_C2K() override;
};
