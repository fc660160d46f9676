// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TableItem.h"

TableItem::TableItem(const QString &text, const QString &secondText, unsigned long data)
    : QTableWidgetItem(text, UserType)
    , m_secondText(secondText)
    , m_data(data)
{
    setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}

TableItem::~TableItem() = default;

void TableItem::setCanFocus(bool canFocus)
{
    m_canFocus = canFocus;
    // Without these flags the view neither selects the cell nor moves the cursor onto it.
    setFlags(canFocus ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags);
}

QTableWidgetItem *TableItem::clone() const
{
    return new TableItem(*this);
}
