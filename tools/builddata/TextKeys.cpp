// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TextKeys.h"

QString TextKeys::asciiUpper(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return upper;
}
