// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_E2K final : public Dictionary
{
public:
    explicit DB_E2K(const QByteArray &dicDir, const QByteArray &soundDir);
    ~DB_E2K() override;
};
