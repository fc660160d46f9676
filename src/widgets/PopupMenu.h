// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "WidgetTypes.h"

#include <QMenu>
#include <QString>

class QAction;

// The skinned pop-up menu. Each item carries its identifier and a property string of
// "KEY=decimal;" entries; rows alternate between two grey backgrounds through the "BGCOLOR"
// property. A chosen item is reported by activated(int) with its identifier (items of sub-menus
// are reported by their own menu only).
class PopupMenu final : public QMenu
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopupMenu)
public:
    // The two row backgrounds, as the BGCOLOR property stores them (0xRRGGBB in decimal).
    static constexpr int OddRowColor = 15987699; // 243, 243, 243
    static constexpr int EvenRowColor = 15198183; // 231, 231, 231

    explicit PopupMenu(QWidget *parent = nullptr, const char *name = nullptr);
    ~PopupMenu() override;

    void PopupMenu_SetRange(int x, int y, int width, int height);
    void PopupMenu_SetOemType(E_OEM_TYPE type);
    E_OEM_TYPE PopupMenu_GetOemType() const { return m_oemType; }

    // Adds an item; `pixmapFile` (optional) names its picture in the pixmap directory. The item
    // gets the stripe property after `properties`. Answers the item's position.
    int PopupMenu_AddItem(const QString &text, unsigned long id, const QString &properties = QString(),
                          const QString &pixmapFile = QString());
    // Adds an item that opens `submenu` (may be null for a plain item).
    int PopupMenu_AddItemEx(const QString &text, QMenu *submenu, unsigned long id,
                            const QString &properties = QString(), const QString &pixmapFile = QString());
    // Removes the item with identifier `id`.
    void PopupMenu_DeleteItem(int id);
    void PopupMenu_ResetAllItems();
    int PopupMenu_GetItemNum() const;
    // Text of the item with identifier `id`; empty when there is none.
    QString PopupMenu_GetStr(int id) const;
    // Properties of the item with identifier `id`; empty when there is none.
    QString PopupMenu_GetProperties(int id) const;
    void PopupMenu_SetEnableItem(unsigned long id, int enable);
    // Extra width given to every item, in pixels.
    void PopupMenu_SetMenuWidthEx(int width);
    int PopupMenu_GetMenuWidthEx() const { return m_menuWidth; }

    // The item with identifier `id`, or null.
    QAction *actionForId(unsigned long id) const;
    // Reads the property string an action carries.
    static QString propertiesOf(const QAction *action);

signals:
    void activated(int id);

private:
    void installOwnStyle();

    int m_itemCount = 0;
    int m_menuWidth = 0;
    E_OEM_TYPE m_oemType = OEM_TYPE_DEFAULT;
};
