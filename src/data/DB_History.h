// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "Dictionary.h"

class DB_History final : public Dictionary
{
public:
    explicit DB_History(const QByteArray &dicDir);
    ~DB_History() override;
};
