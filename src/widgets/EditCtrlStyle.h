// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

// The edit's look: a white field with a one-pixel grey frame; the guide text is drawn by the
// edit itself after the ordinary painting.
class EditCtrlStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EditCtrlStyle)
public:
    EditCtrlStyle();
    ~EditCtrlStyle() override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

    // The guide text and its frame.
    static QColor guideColor() { return {200, 200, 200}; }
};
