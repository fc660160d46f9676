// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

// The label's look: no frame of its own; text always in the palette's text colour, also when
// the label is disabled (the device shows labels in one colour).
class TextCtrlStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TextCtrlStyle)
public:
    TextCtrlStyle();
    ~TextCtrlStyle() override;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
};
