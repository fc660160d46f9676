// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// The device environment's global calls: the input method for Hangul and Latin text is the
// platform's own (QGuiApplication::inputMethod()).
class Global final
{
public:
    Global() = delete;

    static void showInputMethod();
    static void hideInputMethod();
};
