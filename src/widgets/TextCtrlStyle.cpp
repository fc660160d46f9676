// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TextCtrlStyle.h"

#include <QStyleFactory>

TextCtrlStyle::TextCtrlStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

TextCtrlStyle::~TextCtrlStyle() = default;

void TextCtrlStyle::drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                                 const QString &text, QPalette::ColorRole textRole) const
{
    Q_UNUSED(enabled)
    QProxyStyle::drawItemText(painter, rect, flags, palette, true, text, textRole);
}
