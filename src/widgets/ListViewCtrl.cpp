// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ListViewCtrl.h"

#include "ListViewCtrlStyle.h"
#include "ListViewItem.h"

#include <QHeaderView>
#include <QItemSelectionModel>

ListViewCtrl::ListViewCtrl(QWidget *parent, const char *name)
    : QTreeWidget(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    auto *style = new ListViewCtrlStyle;
    style->setParent(this);
    setStyle(style);

    // One column until the screen adds its own, so rows are usable even without AddColumn.
    setColumnCount(1);
    header()->hide();
    header()->setStretchLastSection(false);
    setRootIsDecorated(false);
    setIndentation(0);
    setSortingEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportMargins(0, 0, 0, 0);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);

    QFont f = font();
    f.setPointSize(m_fontSize);
    setFont(f);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ListViewCtrl::emitSelectionIfSettled);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &ListViewCtrl::emitSelectionIfSettled);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item, int) { emit doubleClicked(item); });
}

ListViewCtrl::~ListViewCtrl()
{
    setStyle(nullptr);
}

void ListViewCtrl::ListViewCtrl_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

int ListViewCtrl::ListViewCtrl_ModifyStyle(unsigned long remove, unsigned long add)
{
    m_style = (m_style & ~remove) | add;
    viewport()->update();
    return 1;
}

void ListViewCtrl::ListViewCtrl_SetOemType(E_OEM_TYPE type)
{
    m_oemType = type;
    viewport()->update();
}

void ListViewCtrl::ListViewCtrl_SetFontSize(int size)
{
    if (size <= 0)
        return;
    m_fontSize = size;
    QFont f = font();
    f.setPointSize(size);
    setFont(f);
}

void ListViewCtrl::ListViewCtrl_SetFocusColor(const QColor &color)
{
    m_focusColor = color;
    viewport()->update();
}

int ListViewCtrl::ListViewCtrl_AddColumn(const QString &label, unsigned long width)
{
    const int column = m_addedColumns++;
    if (column >= columnCount())
        setColumnCount(column + 1);
    headerItem()->setText(column, label);
    setColumnWidth(column, static_cast<int>(width));
    while (m_alignments.size() <= column)
        m_alignments.append(Qt::AlignLeft | Qt::AlignVCenter);
    return column;
}

void ListViewCtrl::setColumnAlignment(int column, int alignment)
{
    if (column < 0 || column >= 64)
        return;
    while (m_alignments.size() <= column)
        m_alignments.append(Qt::AlignLeft | Qt::AlignVCenter);
    m_alignments[column] = alignment;
    viewport()->update();
}

int ListViewCtrl::columnAlignment(int column) const
{
    if (column < 0 || column >= m_alignments.size())
        return Qt::AlignLeft | Qt::AlignVCenter;
    return m_alignments.at(column);
}

int ListViewCtrl::ListViewCtrl_AddItem(ListViewItem *item, unsigned long data)
{
    if (!item)
        return 0;
    if (item->treeWidget() != this)
        addTopLevelItem(item);
    item->setItemData(data);
    return 1;
}

int ListViewCtrl::ListViewCtrl_UpdateItem(ListViewItem *item)
{
    if (!item || item->treeWidget() != this)
        return 0;
    viewport()->update(visualItemRect(item));
    return 1;
}

int ListViewCtrl::ListViewCtrl_DeleteItem(ListViewItem *item)
{
    if (!item || item->treeWidget() != this)
        return 0;
    delete item;
    return 1;
}

void ListViewCtrl::ListViewCtrl_ResetAllItems()
{
    clear();
    m_lastSelected = nullptr;
}

int ListViewCtrl::ListViewCtrl_SetData(int row, unsigned long data)
{
    ListViewItem *item = ListViewCtrl_GetItem(row);
    if (!item)
        return 0;
    item->setItemData(data);
    return 1;
}

unsigned long ListViewCtrl::ListViewCtrl_GetData(const ListViewItem *item) const
{
    return item ? item->itemData() : 0;
}

int ListViewCtrl::ListViewCtrl_GetSelIndex() const
{
    QTreeWidgetItem *item = currentItem();
    return item ? indexOfTopLevelItem(item) : -1;
}

unsigned long ListViewCtrl::ListViewCtrl_GetSelData() const
{
    return ListViewCtrl_GetData(ListViewCtrl_GetCurrentItem());
}

ListViewItem *ListViewCtrl::ListViewCtrl_GetCurrentItem() const
{
    return dynamic_cast<ListViewItem *>(currentItem());
}

ListViewItem *ListViewCtrl::ListViewCtrl_GetFirstItem() const
{
    return ListViewCtrl_GetItem(0);
}

ListViewItem *ListViewCtrl::ListViewCtrl_GetNextItem(const ListViewItem *item) const
{
    if (!item || item->treeWidget() != this)
        return nullptr;
    return ListViewCtrl_GetItem(indexOfTopLevelItem(const_cast<ListViewItem *>(item)) + 1);
}

ListViewItem *ListViewCtrl::ListViewCtrl_GetItem(int row) const
{
    if (row < 0 || row >= topLevelItemCount())
        return nullptr;
    return dynamic_cast<ListViewItem *>(topLevelItem(row));
}

int ListViewCtrl::ListViewCtrl_SelectItem(int row)
{
    return ListViewCtrl_SelectItem(ListViewCtrl_GetItem(row));
}

int ListViewCtrl::ListViewCtrl_SelectItem(ListViewItem *item)
{
    if (!item || item->treeWidget() != this)
        return 0;
    setCurrentItem(item);
    item->setSelected(true);
    return 1;
}

int ListViewCtrl::ListViewCtrl_EnsureVisible(int row)
{
    ListViewItem *item = ListViewCtrl_GetItem(row);
    if (!item)
        return 0;
    scrollToItem(item);
    return 1;
}

int ListViewCtrl::ListViewCtrl_IsSelected() const
{
    return selectedItems().isEmpty() ? 0 : 1;
}

void ListViewCtrl::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    // A removed row may be the last one reported; its address may come back for a new row.
    m_lastSelected = nullptr;
    QTreeWidget::rowsAboutToBeRemoved(parent, start, end);
}

void ListViewCtrl::emitSelectionIfSettled()
{
    const QList<QTreeWidgetItem *> selected = selectedItems();
    QTreeWidgetItem *item = selected.isEmpty() ? nullptr : selected.first();
    if (!item) {
        m_lastSelected = nullptr;
        return;
    }
    // The selection and the current row change one after the other; report once both agree.
    if (item == m_lastSelected || item != currentItem())
        return;
    m_lastSelected = item;
    emit selectionChanged(item);
    emit selectionChanged();
}
