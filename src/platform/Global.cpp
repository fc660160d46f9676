// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "Global.h"

#include <QGuiApplication>
#include <QInputMethod>

void Global::showInputMethod()
{
    if (QInputMethod *inputMethod = QGuiApplication::inputMethod())
        inputMethod->show();
}

void Global::hideInputMethod()
{
    if (QInputMethod *inputMethod = QGuiApplication::inputMethod())
        inputMethod->hide();
}
