// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

class QString;

// The pop-up menu's look: each row in the background of its "BGCOLOR" property, a 1-pixel frame
// in 146, 146, 146, the item picture at the left, and item widths widened by the "WIDTH" property
// or the menu width.
class PopupMenuStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopupMenuStyle)
public:
    static constexpr int ItemHeight = 24;

    PopupMenuStyle();
    ~PopupMenuStyle() override;

    // The value of `key` in a property string ("BGCOLOR=15987699;WIDTH=20;"): the decimal text
    // after "key=" up to the next ";"; -1 when the key, its "=" or the ";" is missing or the value
    // is not a decimal number.
    static int GetValue(const QString &key, const QString &properties);

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
};
