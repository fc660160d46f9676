// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>
#include <QTreeWidgetItem>

class QPainter;
class QPalette;

// A row of a ListViewCtrl: up to eight column texts and one user datum. It paints its own cells
// (paintCell) with the list's separator style and focus colour.
class ListViewItem : public QTreeWidgetItem
{
public:
    static constexpr int MaxColumns = 8;
    static constexpr int DefaultHeight = 30;

    ListViewItem();
    // Appended after the last row of `parent`.
    explicit ListViewItem(QTreeWidget *parent, const QString &text0 = QString(), const QString &text1 = QString());
    // Inserted right after `after` (at the top when `after` is null).
    ListViewItem(QTreeWidget *parent, QTreeWidgetItem *after);
    ~ListViewItem() override;

    void setItemData(unsigned long data) { m_data = data; }
    unsigned long itemData() const { return m_data; }

    // The row's height in its list (30 pixels unless the list sizes its rows to a page).
    int height() const;

    QVariant data(int column, int role) const override;

    // Paints one cell at the painter's origin, `width` by `height` pixels: the list's base colour,
    // the separator in 241, 241, 241 (frame for style bit 0x1, dotted top line for 0x2, else a solid
    // top line), the focus colour on the current row, and the text 10 pixels in when left-aligned.
    virtual void paintCell(QPainter *painter, const QPalette &palette, int column, int width, int height,
                           int alignment) const;

private:
    unsigned long m_data = 0;
};
