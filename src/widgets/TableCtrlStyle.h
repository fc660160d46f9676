// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QProxyStyle>

class TableCtrl;
class TableItem;
class QStyleOptionViewItem;

// The grid's look: white cells, grey lines (style bit TBS_GRID), caption cells shaded, pictures
// (skin type 3), text with a smaller second line (skin type 4, or any cell with a second text),
// and the current cell drawn with the three-slice focus box "focusbox_left.png",
// "focusbox_center.png", "focusbox_right.png" (style bit TBS_FOCUSBOX; a plain highlight otherwise).
class TableCtrlStyle final : public QProxyStyle
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableCtrlStyle)
public:
    TableCtrlStyle();
    ~TableCtrlStyle() override;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    static void paintCell(const TableCtrl *table, const TableItem *item, const QStyleOptionViewItem &option,
                          QPainter *painter);
};
