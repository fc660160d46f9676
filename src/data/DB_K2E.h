// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_K2E final : public Dictionary
{
public:
    explicit DB_K2E(const QByteArray &dicDir);
    ~DB_K2E() override;
};
