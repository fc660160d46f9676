// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "WidgetTypes.h"

#include <QColor>
#include <QList>
#include <QTreeWidget>

class ListViewItem;

// The skinned list view: a flat QTreeWidget (no header, no root decoration, no sorting, no
// horizontal scroll bar) whose rows are ListViewItems addressed by their position from the top.
// Besides QTreeWidget's own signals it emits selectionChanged(QTreeWidgetItem *) and
// selectionChanged() when another row becomes selected (once the current row agrees with it),
// and doubleClicked(QTreeWidgetItem *) for a double click on a row. Connect them with
// qOverload<QTreeWidgetItem *>(&ListViewCtrl::selectionChanged) and the like.
class ListViewCtrl : public QTreeWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListViewCtrl)
public:
    // Style bits of ListViewCtrl_ModifyStyle.
    enum : unsigned long {
        LVS_FRAME = 0x1, // a separator rectangle around each cell
        LVS_DOTLINE = 0x2 // a dotted separator line along the top of each row
    };

    explicit ListViewCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~ListViewCtrl() override;

    void ListViewCtrl_SetRange(int x, int y, int width, int height);
    // Clears the bits of `remove`, sets those of `add`; returns 1.
    int ListViewCtrl_ModifyStyle(unsigned long remove, unsigned long add);
    unsigned long ListViewCtrl_GetStyle() const { return m_style; }
    void ListViewCtrl_SetOemType(E_OEM_TYPE type);
    E_OEM_TYPE ListViewCtrl_GetOemType() const { return m_oemType; }
    void ListViewCtrl_SetFontSize(int size);
    int ListViewCtrl_GetFontSize() const { return m_fontSize; }
    void ListViewCtrl_SetFocusColor(const QColor &color);
    QColor ListViewCtrl_GetFocusColor() const { return m_focusColor; }

    // Appends a column; answers its index.
    int ListViewCtrl_AddColumn(const QString &label, unsigned long width);
    // Alignment of a column's texts (Qt::Alignment flags); left-aligned by default.
    void setColumnAlignment(int column, int alignment);
    int columnAlignment(int column) const;

    // Adds `item` at the end (unless it is already in the list) with `data`; 1, or 0 for null.
    int ListViewCtrl_AddItem(ListViewItem *item, unsigned long data);
    // Repaints the row; 1 when it belongs to the list.
    int ListViewCtrl_UpdateItem(ListViewItem *item);
    // Removes and deletes the row; 1 when it belonged to the list.
    int ListViewCtrl_DeleteItem(ListViewItem *item);
    void ListViewCtrl_ResetAllItems();
    int ListViewCtrl_SetData(int row, unsigned long data);
    unsigned long ListViewCtrl_GetData(const ListViewItem *item) const;
    // Index of the current row from the top, -1 without one.
    int ListViewCtrl_GetSelIndex() const;
    // Data of the current row, 0 without one.
    unsigned long ListViewCtrl_GetSelData() const;
    int ListViewCtrl_GetItemNum() const { return topLevelItemCount(); }
    ListViewItem *ListViewCtrl_GetCurrentItem() const;
    ListViewItem *ListViewCtrl_GetFirstItem() const;
    ListViewItem *ListViewCtrl_GetNextItem(const ListViewItem *item) const;
    ListViewItem *ListViewCtrl_GetItem(int row) const;
    // Makes the row current and selected: 1 when it exists, else 0.
    int ListViewCtrl_SelectItem(int row);
    int ListViewCtrl_SelectItem(ListViewItem *item);
    // Scrolls the row into view: 1 when it exists.
    int ListViewCtrl_EnsureVisible(int row);
    // 1 when a row is selected.
    int ListViewCtrl_IsSelected() const;

    // Height of every row in pixels.
    virtual int itemHeight() const { return m_itemHeight; }

signals:
    void selectionChanged(QTreeWidgetItem *item);
    void selectionChanged();
    void doubleClicked(QTreeWidgetItem *item);

protected:
    using QTreeWidget::selectionChanged;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;

private:
    void emitSelectionIfSettled();

    unsigned long m_style = 0;
    E_OEM_TYPE m_oemType = OEM_TYPE_DEFAULT;
    QColor m_focusColor{Qt::black};
    int m_fontSize = 12;
    int m_itemHeight = 30;
    int m_addedColumns = 0;
    QList<int> m_alignments;
    const QTreeWidgetItem *m_lastSelected = nullptr; // compared only, never dereferenced
};
