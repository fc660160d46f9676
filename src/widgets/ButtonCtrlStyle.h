// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

class ButtonCtrl;

// Paints a ButtonCtrl by its skin type into an off-screen pixmap of the button's size, first
// filled with the button's background colour, and copies it to the screen.
class ButtonCtrlStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ButtonCtrlStyle)
public:
    ButtonCtrlStyle();
    ~ButtonCtrlStyle() override;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    // The whole button as the screen shows it.
    static void paintButton(const ButtonCtrl *button, QPainter *painter);

    // The label colour of the three-slice skin for the button's state.
    static QColor sliceLabelColor(const ButtonCtrl *button);
};
