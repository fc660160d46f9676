// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "PopupMenuStyle.h"

#include "PopupMenu.h"

#include <QAction>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace {
const PopupMenu *skinnedMenu(const QWidget *widget)
{
    const auto *menu = qobject_cast<const PopupMenu *>(widget);
    return menu && menu->PopupMenu_GetOemType() != OEM_TYPE_DEFAULT ? menu : nullptr;
}

// The item an option describes: by position while painting, by text while sizing.
const QAction *actionFor(const PopupMenu *menu, const QStyleOptionMenuItem *item, bool byText)
{
    if (!byText)
        return menu->actionAt(item->rect.center());
    const QString text = item->text.section(QLatin1Char('\t'), 0, 0);
    const QList<QAction *> actions = menu->actions();
    for (const QAction *action : actions) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QColor rgbFromValue(int value)
{
    return QColor((value >> 16) & 0xff, (value >> 8) & 0xff, value & 0xff);
}
} // namespace

PopupMenuStyle::PopupMenuStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows")))
{ }

PopupMenuStyle::~PopupMenuStyle() = default;

int PopupMenuStyle::GetValue(const QString &key, const QString &properties)
{
    if (key.isEmpty())
        return -1;
    const QString needle = key + QLatin1Char('=');
    int from = 0;
    while (from < properties.size()) {
        const int at = properties.indexOf(needle, from);
        if (at < 0)
            return -1;
        // Only a whole key counts: at the start or right after the previous entry's ";".
        if (at == 0 || properties.at(at - 1) == QLatin1Char(';')) {
            const int start = at + needle.size();
            const int end = properties.indexOf(QLatin1Char(';'), start);
            if (end < 0)
                return -1;
            bool ok = false;
            const int value = properties.mid(start, end - start).trimmed().toInt(&ok, 10);
            return ok ? value : -1;
        }
        from = at + 1;
    }
    return -1;
}

void PopupMenuStyle::drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                                 const QWidget *widget) const
{
    const PopupMenu *menu = skinnedMenu(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (element == CE_MenuEmptyArea && menu) {
        painter->fillRect(option->rect, QColor(243, 243, 243));
        return;
    }
    if (element != CE_MenuItem || !menu || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }

    const QRect r = item->rect;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(r, QColor(243, 243, 243));
        painter->setPen(QColor(146, 146, 146));
        painter->drawLine(r.left() + 4, r.center().y(), r.right() - 4, r.center().y());
        return;
    }

    const QAction *action = actionFor(menu, item, false);
    const int bg = GetValue(QStringLiteral("BGCOLOR"), PopupMenu::propertiesOf(action));
    const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
    painter->fillRect(r, selected ? QColor(89, 89, 89) : bg >= 0 ? rgbFromValue(bg) : QColor(243, 243, 243));

    int x = r.left() + 6;
    if (!item->icon.isNull()) {
        const QPixmap pm = item->icon.pixmap(QSize(20, 20));
        const QSize sz = pm.deviceIndependentSize().toSize();
        painter->drawPixmap(x, r.top() + (r.height() - sz.height()) / 2, pm);
    }
    x += qMax(item->maxIconWidth, 0) > 0 ? item->maxIconWidth + 6 : 0;

    QColor textColor = selected ? QColor(Qt::white) : QColor(Qt::black);
    if (!(item->state & State_Enabled))
        textColor = QColor(153, 153, 153);
    painter->setPen(textColor);
    painter->setFont(item->font);
    const QString text = item->text.section(QLatin1Char('\t'), 0, 0);
    painter->drawText(QRect(x, r.top(), r.right() - x - 12, r.height()), Qt::AlignLeft | Qt::AlignVCenter, text);

    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
        const int cx = r.right() - 8, cy = r.center().y();
        const QPoint tri[] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
        painter->setPen(Qt::NoPen);
        painter->setBrush(textColor);
        painter->drawPolygon(tri, 3);
    }
}

void PopupMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    if (skinnedMenu(widget) && (element == PE_FrameMenu || element == PE_PanelMenu)) {
        if (element == PE_PanelMenu)
            painter->fillRect(option->rect, QColor(243, 243, 243));
        painter->setPen(QColor(146, 146, 146));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int PopupMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (skinnedMenu(widget)) {
        switch (metric) {
        case PM_MenuPanelWidth:
            return 1;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            return 0;
        case PM_SmallIconSize:
            return 20;
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize PopupMenuStyle::sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                                       const QWidget *widget) const
{
    QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
    const PopupMenu *menu = skinnedMenu(widget);
    const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
    if (type != CT_MenuItem || !menu || !item)
        return result;
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return {result.width(), 5};
    const int width = GetValue(QStringLiteral("WIDTH"), PopupMenu::propertiesOf(actionFor(menu, item, true)));
    result.rwidth() += width >= 0 ? width : menu->PopupMenu_GetMenuWidthEx();
    result.setHeight(ItemHeight);
    return result;
}

int PopupMenuStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                              QStyleHintReturn *returnData) const
{
    // A chosen row closes the menu at once, without the flash delay of the desktop styles.
    if (hint == SH_Menu_FlashTriggeredItem && skinnedMenu(widget))
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
