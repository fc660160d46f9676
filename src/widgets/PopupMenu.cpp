// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "PopupMenu.h"

#include "PopupMenuStyle.h"
#include "SkinPixmap.h"

#include <QAction>
#include <QIcon>

namespace {
const char PropertiesKey[] = "lumiProperties";
}

PopupMenu::PopupMenu(QWidget *parent, const char *name)
    : QMenu(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    installOwnStyle();
    connect(this, &QMenu::triggered, this, [this](QAction *action) {
        // QMenu repeats a sub-menu's triggered() in its parents; only the owning menu reports.
        if (action && actions().contains(action) && !action->menu())
            emit activated(action->data().toInt());
    });
}

PopupMenu::~PopupMenu()
{
    setStyle(nullptr);
}

void PopupMenu::installOwnStyle()
{
    QStyle *old = style();
    auto *style = new PopupMenuStyle;
    style->setParent(this);
    setStyle(style);
    if (qobject_cast<PopupMenuStyle *>(old) && old->parent() == this)
        delete old;
}

void PopupMenu::PopupMenu_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

void PopupMenu::PopupMenu_SetOemType(E_OEM_TYPE type)
{
    m_oemType = type;
    installOwnStyle();
}

int PopupMenu::PopupMenu_AddItem(const QString &text, unsigned long id, const QString &properties,
                                 const QString &pixmapFile)
{
    return PopupMenu_AddItemEx(text, nullptr, id, properties, pixmapFile);
}

int PopupMenu::PopupMenu_AddItemEx(const QString &text, QMenu *submenu, unsigned long id, const QString &properties,
                                   const QString &pixmapFile)
{
    ++m_itemCount;
    const QString stripe = QStringLiteral("BGCOLOR=%1;").arg(m_itemCount % 2 ? OddRowColor : EvenRowColor);

    QAction *action = submenu ? addMenu(submenu) : addAction(text);
    action->setText(text);
    action->setData(static_cast<int>(id));
    action->setProperty(PropertiesKey, QString(properties + stripe));
    const QPixmap pixmap = SkinPixmap::get(pixmapFile);
    if (!pixmap.isNull())
        action->setIcon(QIcon(pixmap));
    return actions().size() - 1;
}

void PopupMenu::PopupMenu_DeleteItem(int id)
{
    if (QAction *action = actionForId(static_cast<unsigned long>(id))) {
        removeAction(action);
        if (action->parent() == this)
            delete action;
    }
}

void PopupMenu::PopupMenu_ResetAllItems()
{
    clear();
    m_itemCount = 0;
}

int PopupMenu::PopupMenu_GetItemNum() const
{
    return actions().size();
}

QString PopupMenu::PopupMenu_GetStr(int id) const
{
    const QAction *action = actionForId(static_cast<unsigned long>(id));
    return action ? action->text() : QString();
}

QString PopupMenu::PopupMenu_GetProperties(int id) const
{
    return propertiesOf(actionForId(static_cast<unsigned long>(id)));
}

void PopupMenu::PopupMenu_SetEnableItem(unsigned long id, int enable)
{
    if (QAction *action = actionForId(id))
        action->setEnabled(enable > 0);
}

void PopupMenu::PopupMenu_SetMenuWidthEx(int width)
{
    m_menuWidth = width;
    // Item sizes are cached by QMenu; a style change makes it measure them again.
    installOwnStyle();
}

QAction *PopupMenu::actionForId(unsigned long id) const
{
    const QList<QAction *> list = actions();
    for (QAction *action : list) {
        if (!action->isSeparator() && action->data().isValid() && action->data().toULongLong() == id)
            return action;
    }
    return nullptr;
}

QString PopupMenu::propertiesOf(const QAction *action)
{
    return action ? action->property(PropertiesKey).toString() : QString();
}
