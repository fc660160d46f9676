// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "WidgetTypes.h"

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTableWidget>

class TableItem;
class TImage;

// The skinned grid of TableItem cells. Cells are addressed by (row, column); adding a cell
// beyond the current size grows the grid. Besides QTableWidget's signals it emits
// selectionChanged() when another cell becomes selected and doubleClicked(row, column, button,
// position) for a double click on a cell that holds an item and can take the focus (connect with
// qOverload<int, int, int, const QPoint &>(&TableCtrl::doubleClicked)).
class TableCtrl final : public QTableWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableCtrl)
public:
    // Style bits of TableCtrl_ModifyStyle.
    enum : unsigned long {
        TBS_GRID = 0x1, // grey lines between the cells
        TBS_NOHEADER = 0x2, // no row and column headers
        TBS_FOCUSBOX = 0x4 // the current cell drawn with the focus-box pictures
    };

    explicit TableCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~TableCtrl() override;

    void TableCtrl_SetRange(int x, int y, int width, int height);
    void TableCtrl_SetOemType(E_OEM_TYPE type);
    E_OEM_TYPE TableCtrl_GetOemType() const { return m_oemType; }
    // Clears the bits of `remove`, sets those of `add`; returns 1.
    int TableCtrl_ModifyStyle(unsigned long remove, unsigned long add);
    unsigned long TableCtrl_GetStyle() const { return m_style; }
    void TableCtrl_SetFontSize(E_FONT_TYPE type, int size);
    int TableCtrl_GetFontSize(E_FONT_TYPE type) const;
    // Qt::Alignment flags of the cell texts (centred at start).
    void TableCtrl_SetAlign(int align);
    int TableCtrl_GetAlign() const { return m_align; }

    void TableCtrl_SetCellNum(int rows, int columns);
    // Every column `width` and every row `height` pixels, also for rows added later.
    void TableCtrl_SetFixItemSize(int width, int height);
    void TableCtrl_SetFixRowsSize(int height);
    void TableCtrl_SetFixColumnsSize(int width);

    // Put a cell at (row, column), growing the grid as needed; 1, or 0 for a negative position.
    int TableCtrl_AddItem(int row, int column, const QString &text, unsigned long data);
    int TableCtrl_AddItem(int row, int column, const QString &text, const QString &secondText, unsigned long data);
    // Takes ownership of `item`.
    int TableCtrl_AddItem(int row, int column, TableItem *item, unsigned long data);
    // The cell's picture (a cell is created when there is none); 1, or 0 for a bad position.
    int TableCtrl_SetImage(int row, int column, const TImage *image);
    int TableCtrl_SetImage(int row, int column, const QPixmap &image);
    TableItem *TableCtrl_GetItem(int row, int column) const;
    int TableCtrl_SetData(int row, int column, unsigned long data);
    unsigned long TableCtrl_GetData(int row, int column) const;
    QString TableCtrl_GetStr(int row, int column) const;
    // Text and data of the current cell; empty and 0 without one.
    QString TableCtrl_GetSelStr() const;
    unsigned long TableCtrl_GetSelData() const;
    // Number of cells that hold an item.
    int TableCtrl_GetItemNum() const;
    int TableCtrl_GetCurrRow() const;
    int TableCtrl_GetCurrColumn() const;
    int TableCtrl_DeleteItem(int row, int column);
    // Removes every cell and row (the column count stays).
    void TableCtrl_ResetAllItems();
    bool TableCtrl_IsSelected(int row, int column) const;
    // A cell that cannot take the focus (a caption) is never current nor chosen; 1, or 0 for a
    // bad position.
    int TableCtrl_SetCanFocus(int row, int column, bool canFocus);

signals:
    void doubleClicked(int row, int column, int button, const QPoint &pos);
    void selectionChanged();

protected:
    using QTableWidget::selectionChanged;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void ensureCell(int row, int column);
    void applyFixedSizes();
    void emitSelectionIfSettled();

    unsigned long m_style = 0;
    E_OEM_TYPE m_oemType = OEM_TYPE_DEFAULT;
    int m_align = Qt::AlignCenter;
    int m_fontSizes[2] = {16, 10};
    int m_fixWidth = 0;
    int m_fixHeight = 0;
    QPersistentModelIndex m_lastSelected;
};
