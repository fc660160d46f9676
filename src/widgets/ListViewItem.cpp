// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ListViewItem.h"

#include "ListViewCtrl.h"

#include <QPainter>
#include <QPalette>
#include <QSize>

ListViewItem::ListViewItem()
    : QTreeWidgetItem(UserType)
{ }

ListViewItem::ListViewItem(QTreeWidget *parent, const QString &text0, const QString &text1)
    : QTreeWidgetItem(parent, UserType)
{
    if (!text0.isNull())
        setText(0, text0);
    if (!text1.isNull())
        setText(1, text1);
}

ListViewItem::ListViewItem(QTreeWidget *parent, QTreeWidgetItem *after)
    : QTreeWidgetItem(parent, after, UserType)
{ }

ListViewItem::~ListViewItem() = default;

int ListViewItem::height() const
{
    if (const auto *list = dynamic_cast<const ListViewCtrl *>(treeWidget()))
        return list->itemHeight();
    return DefaultHeight;
}

QVariant ListViewItem::data(int column, int role) const
{
    if (role == Qt::SizeHintRole)
        return QSize(0, height());
    return QTreeWidgetItem::data(column, role);
}

void ListViewItem::paintCell(QPainter *p, const QPalette &palette, int column, int width, int height,
                             int alignment) const
{
    const auto *list = dynamic_cast<const ListViewCtrl *>(treeWidget());
    const QRect cell(0, 0, width, height);
    p->fillRect(cell, palette.color(QPalette::Base));

    const QColor separator(241, 241, 241);
    const unsigned long style = list ? list->ListViewCtrl_GetStyle() : 0;
    if (style & ListViewCtrl::LVS_FRAME) {
        p->setPen(separator);
        p->drawRect(cell.adjusted(0, 0, -1, -1));
    } else if (style & ListViewCtrl::LVS_DOTLINE) {
        p->setPen(separator);
        p->drawLine(0, 0, width - 1, 0);
        p->setPen(Qt::black);
        for (int x = 0; x < width; x += 2)
            p->drawPoint(x, 0);
    } else {
        p->setPen(separator);
        p->drawLine(0, 0, width - 1, 0);
    }

    QColor textColor = palette.color(QPalette::Text);
    if (list && list->currentItem() == this && isSelected()) {
        QColor fill = list->ListViewCtrl_GetFocusColor();
        if (!list->hasFocus()) {
            // Without the focus the current row stays visible, in a paler shade.
            fill = QColor((fill.red() + 2 * 255) / 3, (fill.green() + 2 * 255) / 3, (fill.blue() + 2 * 255) / 3);
        }
        p->fillRect(cell, fill);
        if (fill.lightness() < 128)
            textColor = Qt::white;
    }

    p->setPen(textColor);
    if (list)
        p->setFont(list->font());
    const QString label = text(column);
    if ((alignment & Qt::AlignHorizontal_Mask) == Qt::AlignLeft || (alignment & Qt::AlignHorizontal_Mask) == 0)
        p->drawText(cell.adjusted(10, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
    else
        p->drawText(cell, (alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, label);
}
