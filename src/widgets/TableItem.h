// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QTableWidgetItem>

// A cell of a TableCtrl: a text, a second text (drawn under it), a user datum, a picture and a
// can-focus flag (a cell that cannot take the focus cannot become current or be chosen).
class TableItem : public QTableWidgetItem
{
public:
    explicit TableItem(const QString &text = QString(), const QString &secondText = QString(), unsigned long data = 0);
    ~TableItem() override;

    QString secondText() const { return m_secondText; }
    void setSecondText(const QString &text) { m_secondText = text; }
    unsigned long itemData() const { return m_data; }
    void setItemData(unsigned long data) { m_data = data; }
    QPixmap image() const { return m_image; }
    void setImage(const QPixmap &image) { m_image = image; }
    bool canFocus() const { return m_canFocus; }
    void setCanFocus(bool canFocus);

    QTableWidgetItem *clone() const override;

private:
    QString m_secondText;
    unsigned long m_data = 0;
    QPixmap m_image;
    bool m_canFocus = true;
};
