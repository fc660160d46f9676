// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ListViewCtrlStyle.h"

#include "ListViewCtrl.h"
#include "ListViewItem.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionViewItem>

ListViewCtrlStyle::ListViewCtrlStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

ListViewCtrlStyle::~ListViewCtrlStyle() = default;

void ListViewCtrlStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const
{
    const auto *list = qobject_cast<const ListViewCtrl *>(widget);
    const auto *viewItem = qstyleoption_cast<const QStyleOptionViewItem *>(option);
    if (element == CE_ItemViewItem && list && viewItem) {
        const auto *item = dynamic_cast<const ListViewItem *>(list->itemFromIndex(viewItem->index));
        if (item) {
            const int column = viewItem->index.column();
            painter->save();
            painter->translate(option->rect.topLeft());
            painter->setClipRect(QRect(QPoint(0, 0), option->rect.size()));
            item->paintCell(painter, list->palette(), column, option->rect.width(), option->rect.height(),
                            list->columnAlignment(column));
            painter->restore();
            return;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void ListViewCtrlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                      const QWidget *widget) const
{
    if (qobject_cast<const ListViewCtrl *>(widget)
        && (element == PE_PanelItemViewRow || element == PE_PanelItemViewItem || element == PE_FrameFocusRect
            || element == PE_IndicatorBranch))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
