// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "EditCtrlStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

EditCtrlStyle::EditCtrlStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

EditCtrlStyle::~EditCtrlStyle() = default;

void EditCtrlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                  const QWidget *widget) const
{
    if (element == PE_PanelLineEdit) {
        painter->fillRect(option->rect, option->palette.base());
        if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option); frame && frame->lineWidth > 0) {
            painter->setPen(QColor(146, 146, 146));
            painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        }
        return;
    }
    if (element == PE_FrameLineEdit) {
        painter->setPen(QColor(146, 146, 146));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int EditCtrlStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_DefaultFrameWidth)
        return 1;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
