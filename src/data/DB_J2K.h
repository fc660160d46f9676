// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_J2K final : public Dictionary
{
public:
    explicit DB_J2K(const QByteArray &dicDir);
    ~DB_J2K() override;
};
