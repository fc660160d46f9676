// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TableCtrl.h"

#include "TImage.h"
#include "TableCtrlStyle.h"
#include "TableItem.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMouseEvent>

TableCtrl::TableCtrl(QWidget *parent, const char *name)
    : QTableWidget(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    auto *style = new TableCtrlStyle;
    style->setParent(this);
    setStyle(style);

    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(QFont(QStringLiteral("KVN-EXT"), m_fontSizes[FONT_TYPE_MAIN]));

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TableCtrl::emitSelectionIfSettled);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, &TableCtrl::emitSelectionIfSettled);
}

TableCtrl::~TableCtrl()
{
    setStyle(nullptr);
}

void TableCtrl::TableCtrl_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

void TableCtrl::TableCtrl_SetOemType(E_OEM_TYPE type)
{
    m_oemType = type;
    viewport()->update();
}

int TableCtrl::TableCtrl_ModifyStyle(unsigned long remove, unsigned long add)
{
    m_style = (m_style & ~remove) | add;
    const bool headers = !(m_style & TBS_NOHEADER);
    horizontalHeader()->setVisible(headers);
    verticalHeader()->setVisible(headers);
    viewport()->update();
    return 1;
}

void TableCtrl::TableCtrl_SetFontSize(E_FONT_TYPE type, int size)
{
    if ((type != FONT_TYPE_MAIN && type != FONT_TYPE_SECOND) || size <= 0)
        return;
    m_fontSizes[type] = size;
    viewport()->update();
}

int TableCtrl::TableCtrl_GetFontSize(E_FONT_TYPE type) const
{
    return type == FONT_TYPE_MAIN || type == FONT_TYPE_SECOND ? m_fontSizes[type] : 0;
}

void TableCtrl::TableCtrl_SetAlign(int align)
{
    m_align = align;
    viewport()->update();
}

void TableCtrl::TableCtrl_SetCellNum(int rows, int columns)
{
    setRowCount(qMax(0, rows));
    setColumnCount(qMax(0, columns));
    applyFixedSizes();
}

void TableCtrl::TableCtrl_SetFixItemSize(int width, int height)
{
    m_fixWidth = qMax(0, width);
    m_fixHeight = qMax(0, height);
    applyFixedSizes();
}

void TableCtrl::TableCtrl_SetFixRowsSize(int height)
{
    m_fixHeight = qMax(0, height);
    applyFixedSizes();
}

void TableCtrl::TableCtrl_SetFixColumnsSize(int width)
{
    m_fixWidth = qMax(0, width);
    applyFixedSizes();
}

void TableCtrl::applyFixedSizes()
{
    if (m_fixWidth > 0) {
        horizontalHeader()->setMinimumSectionSize(1);
        horizontalHeader()->setDefaultSectionSize(m_fixWidth);
        for (int c = 0; c < columnCount(); ++c)
            setColumnWidth(c, m_fixWidth);
    }
    if (m_fixHeight > 0) {
        verticalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setDefaultSectionSize(m_fixHeight);
        for (int r = 0; r < rowCount(); ++r)
            setRowHeight(r, m_fixHeight);
    }
}

void TableCtrl::ensureCell(int row, int column)
{
    if (row >= rowCount())
        setRowCount(row + 1);
    if (column >= columnCount())
        setColumnCount(column + 1);
    applyFixedSizes();
}

int TableCtrl::TableCtrl_AddItem(int row, int column, const QString &text, unsigned long data)
{
    return TableCtrl_AddItem(row, column, new TableItem(text), data);
}

int TableCtrl::TableCtrl_AddItem(int row, int column, const QString &text, const QString &secondText,
                                 unsigned long data)
{
    return TableCtrl_AddItem(row, column, new TableItem(text, secondText), data);
}

int TableCtrl::TableCtrl_AddItem(int row, int column, TableItem *item, unsigned long data)
{
    if (!item)
        return 0;
    if (row < 0 || column < 0) {
        delete item;
        return 0;
    }
    ensureCell(row, column);
    item->setItemData(data);
    setItem(row, column, item);
    return 1;
}

int TableCtrl::TableCtrl_SetImage(int row, int column, const TImage *image)
{
    return TableCtrl_SetImage(row, column, image ? image->pixmap() : QPixmap());
}

int TableCtrl::TableCtrl_SetImage(int row, int column, const QPixmap &image)
{
    if (row < 0 || column < 0)
        return 0;
    TableItem *cell = TableCtrl_GetItem(row, column);
    if (!cell) {
        cell = new TableItem;
        TableCtrl_AddItem(row, column, cell, 0);
    }
    cell->setImage(image);
    viewport()->update(visualRect(model()->index(row, column)));
    return 1;
}

TableItem *TableCtrl::TableCtrl_GetItem(int row, int column) const
{
    return dynamic_cast<TableItem *>(item(row, column));
}

int TableCtrl::TableCtrl_SetData(int row, int column, unsigned long data)
{
    TableItem *cell = TableCtrl_GetItem(row, column);
    if (!cell)
        return 0;
    cell->setItemData(data);
    return 1;
}

unsigned long TableCtrl::TableCtrl_GetData(int row, int column) const
{
    const TableItem *cell = TableCtrl_GetItem(row, column);
    return cell ? cell->itemData() : 0;
}

QString TableCtrl::TableCtrl_GetStr(int row, int column) const
{
    const TableItem *cell = TableCtrl_GetItem(row, column);
    return cell ? cell->text() : QString();
}

QString TableCtrl::TableCtrl_GetSelStr() const
{
    return TableCtrl_GetStr(currentRow(), currentColumn());
}

unsigned long TableCtrl::TableCtrl_GetSelData() const
{
    return TableCtrl_GetData(currentRow(), currentColumn());
}

int TableCtrl::TableCtrl_GetItemNum() const
{
    int count = 0;
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (item(r, c))
                ++count;
        }
    }
    return count;
}

int TableCtrl::TableCtrl_GetCurrRow() const
{
    return currentIndex().isValid() ? currentRow() : -1;
}

int TableCtrl::TableCtrl_GetCurrColumn() const
{
    return currentIndex().isValid() ? currentColumn() : -1;
}

int TableCtrl::TableCtrl_DeleteItem(int row, int column)
{
    QTableWidgetItem *cell = takeItem(row, column);
    if (!cell)
        return 0;
    delete cell;
    return 1;
}

void TableCtrl::TableCtrl_ResetAllItems()
{
    clearContents();
    setRowCount(0);
    m_lastSelected = QPersistentModelIndex();
}

bool TableCtrl::TableCtrl_IsSelected(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return false;
    return selectionModel()->isSelected(model()->index(row, column));
}

int TableCtrl::TableCtrl_SetCanFocus(int row, int column, bool canFocus)
{
    if (row < 0 || column < 0)
        return 0;
    TableItem *cell = TableCtrl_GetItem(row, column);
    if (!cell) {
        cell = new TableItem;
        TableCtrl_AddItem(row, column, cell, 0);
    }
    cell->setCanFocus(canFocus);
    return 1;
}

void TableCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    const TableItem *cell = index.isValid() ? TableCtrl_GetItem(index.row(), index.column()) : nullptr;
    if (!cell || !cell->canFocus())
        return;
    emit doubleClicked(index.row(), index.column(), static_cast<int>(event->button()), event->position().toPoint());
}

void TableCtrl::emitSelectionIfSettled()
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    const QModelIndex index = selected.isEmpty() ? QModelIndex() : selected.first();
    if (!index.isValid()) {
        m_lastSelected = QPersistentModelIndex();
        return;
    }
    if (index == m_lastSelected || index != currentIndex())
        return;
    m_lastSelected = index;
    emit selectionChanged();
}
