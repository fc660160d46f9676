// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TableCtrlStyle.h"

#include "SkinPixmap.h"
#include "TableCtrl.h"
#include "TableItem.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionViewItem>

namespace {
// Draws the focus box over `r`; false when one of its pictures is missing.
bool drawFocusBox(QPainter *p, const QRect &r)
{
    const QPixmap left = SkinPixmap::get(QStringLiteral("focusbox_left.png"));
    const QPixmap center = SkinPixmap::get(QStringLiteral("focusbox_center.png"));
    const QPixmap right = SkinPixmap::get(QStringLiteral("focusbox_right.png"));
    if (left.isNull() || center.isNull() || right.isNull())
        return false;
    const int lw = qMin(left.width(), r.width() / 2);
    const int rw = qMin(right.width(), r.width() - lw);
    p->drawPixmap(QRect(r.left(), r.top(), lw, r.height()), left);
    p->drawPixmap(QRect(r.left() + lw, r.top(), r.width() - lw - rw, r.height()), center);
    p->drawPixmap(QRect(r.right() + 1 - rw, r.top(), rw, r.height()), right);
    return true;
}
} // namespace

TableCtrlStyle::TableCtrlStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

TableCtrlStyle::~TableCtrlStyle() = default;

void TableCtrlStyle::paintCell(const TableCtrl *table, const TableItem *item, const QStyleOptionViewItem &option,
                               QPainter *p)
{
    const QRect r = option.rect;
    const bool caption = item && !item->canFocus() && !item->text().isEmpty();
    p->fillRect(r, caption ? QColor(236, 236, 236) : QColor(Qt::white));

    const bool current = table->currentIndex() == option.index && (option.state & QStyle::State_Selected);
    if (current) {
        const bool boxed = (table->TableCtrl_GetStyle() & TableCtrl::TBS_FOCUSBOX) && drawFocusBox(p, r);
        if (!boxed) {
            p->fillRect(r.adjusted(1, 1, -1, -1), QColor(255, 224, 160));
            p->setPen(QColor(230, 140, 40));
            p->drawRect(r.adjusted(1, 1, -2, -2));
        }
    }

    if (table->TableCtrl_GetStyle() & TableCtrl::TBS_GRID) {
        p->setPen(QColor(200, 200, 200));
        p->drawLine(r.topRight(), r.bottomRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
    }
    if (!item)
        return;

    if (!item->image().isNull()) {
        const QPixmap pm = item->image();
        const QSize fit = pm.size().scaled(r.size() - QSize(4, 4), Qt::KeepAspectRatio);
        const QSize size = pm.width() <= r.width() - 4 && pm.height() <= r.height() - 4 ? pm.size() : fit;
        const QRect target(r.left() + (r.width() - size.width()) / 2, r.top() + (r.height() - size.height()) / 2,
                           size.width(), size.height());
        p->drawPixmap(target, pm);
        if (table->TableCtrl_GetOemType() == OEM_TYPE_IMAGE)
            return;
    }

    QFont mainFont = table->font();
    mainFont.setPointSize(qMax(1, table->TableCtrl_GetFontSize(FONT_TYPE_MAIN)));
    const int align = table->TableCtrl_GetAlign();
    p->setPen(caption ? QColor(90, 90, 90) : QColor(Qt::black));
    const bool twoLines = table->TableCtrl_GetOemType() == OEM_TYPE_TWOLINE || !item->secondText().isEmpty();
    if (!twoLines) {
        p->setFont(mainFont);
        p->drawText(r.adjusted(2, 0, -2, 0), align, item->text());
        return;
    }
    QFont secondFont = table->font();
    secondFont.setPointSize(qMax(1, table->TableCtrl_GetFontSize(FONT_TYPE_SECOND)));
    // Line heights from the pixel sizes: CJK fonts report generous line spacing, which would
    // leave no room for the main text in the low cells of the lookup tables.
    const int secondHeight = QFontInfo(secondFont).pixelSize() + 3;
    const int topHeight = r.height() - secondHeight;
    if (QFontInfo(mainFont).pixelSize() > topHeight - 1)
        mainFont.setPixelSize(qMax(6, topHeight - 1));
    const QRect top(r.left() + 2, r.top() + 1, r.width() - 4, topHeight);
    const QRect bottom(r.left() + 2, r.top() + 1 + topHeight - 2, r.width() - 4, secondHeight);
    p->setFont(mainFont);
    p->drawText(top, (align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, item->text());
    p->setFont(secondFont);
    p->setPen(QColor(80, 80, 80));
    p->drawText(bottom, (align & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, item->secondText());
}

void TableCtrlStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const auto *table = qobject_cast<const TableCtrl *>(widget);
    const auto *viewItem = qstyleoption_cast<const QStyleOptionViewItem *>(option);
    if (element == CE_ItemViewItem && table && viewItem) {
        const auto *item = dynamic_cast<const TableItem *>(table->itemFromIndex(viewItem->index));
        painter->save();
        painter->setClipRect(option->rect);
        paintCell(table, item, *viewItem, painter);
        painter->restore();
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TableCtrlStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    if (qobject_cast<const TableCtrl *>(widget)
        && (element == PE_PanelItemViewItem || element == PE_PanelItemViewRow || element == PE_FrameFocusRect))
        return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}
