// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "WordListViewCtrl.h"

#include "ListViewItem.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <cstdio>

WordListViewCtrl::WordListViewCtrl(QWidget *parent, const char *name)
    : ListViewCtrl(parent, name)
{
    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setObjectName(QStringLiteral("WordScrollBar"));
    m_scrollBar->setRange(0, 0);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setPageStep(9);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    placeScrollBar();
}

WordListViewCtrl::~WordListViewCtrl() = default;

void WordListViewCtrl::setPreViewMode(int mode)
{
    m_previewMode = mode;
    if (mode == MODE_LIST || mode == MODE_VERTICAL || mode == MODE_CONVERSATION)
        m_rowsPerPage = 9;
    else if (mode == MODE_HORIZONTAL)
        m_rowsPerPage = 5;
    doItemsLayout();
}

void WordListViewCtrl::insertItem(ListViewItem *item)
{
    if (item && item->treeWidget() != this)
        addTopLevelItem(item);
}

int WordListViewCtrl::setCurrentItem(int row)
{
    if (row < 0 || row > 9)
        return 0;
    m_savedValue = m_scrollBar->value();
    m_savedRow = row;
    if (ListViewItem *item = ListViewCtrl_GetItem(row)) {
        ListViewCtrl::setCurrentItem(item);
        item->setSelected(true);
    }
    return 1;
}

int WordListViewCtrl::getCurrentItem()
{
    const int row = ListViewCtrl_GetSelIndex();
    if (row < 0)
        return 0;
    setCurrentItem(row);
    return row;
}

int WordListViewCtrl::rowForScrollValue(int value) const
{
    const int row = m_savedRow - (value - m_savedValue);
    if (row < 0 || row >= topLevelItemCount())
        return -1;
    return row;
}

void WordListViewCtrl::setGeometry(int x, int y, int width, int height)
{
    ListViewCtrl::setGeometry(x, y, width, height);
    placeScrollBar();
}

int WordListViewCtrl::itemHeight() const
{
    const int h = viewport()->height();
    return m_rowsPerPage > 0 && h >= m_rowsPerPage ? h / m_rowsPerPage : 1;
}

void WordListViewCtrl::resizeEvent(QResizeEvent *event)
{
    ListViewCtrl::resizeEvent(event);
    placeScrollBar();
    doItemsLayout();
}

void WordListViewCtrl::placeScrollBar()
{
    m_scrollBar->setGeometry(width() - 16, -1, 16, height() + 2);
}

void WordListViewCtrl::logKey(int key) const
{
    // The device's key codes: special keys from 0x1000 (Up 0x1013, Down 0x1015).
    const unsigned code
            = key >= 0x01000000 ? static_cast<unsigned>(key - 0x01000000 + 0x1000) : static_cast<unsigned>(key);
    printf("Key = %x, ScrollBar Value = %d, List Index = %d\n", code, m_scrollBar->value(), ListViewCtrl_GetSelIndex());
    fflush(stdout);
}

void WordListViewCtrl::keyPressEvent(QKeyEvent *event)
{
    if (m_previewMode < MODE_LIST || m_previewMode > MODE_VERTICAL) {
        ListViewCtrl::keyPressEvent(event);
        return;
    }

    // Back to the headword of the last selection (the window may have been refilled since).
    m_scrollBar->setValue(m_savedValue);
    setCurrentItem(m_savedRow);

    const int key = event->key();
    const int lastRow = m_rowsPerPage - 1;
    if (key == Qt::Key_Up) {
        if (m_savedRow > 0) {
            setCurrentItem(m_savedRow - 1);
        } else {
            m_scrollBar->setValue(qMax(1, m_scrollBar->value() - 1));
            setCurrentItem(0);
        }
    } else if (key == Qt::Key_Down) {
        if (m_scrollBar->value() >= m_scrollBar->maximum()) {
            setCurrentItem(m_savedRow);
        } else if (m_savedRow >= lastRow) {
            m_scrollBar->setValue(m_scrollBar->value() + 1);
            setCurrentItem(lastRow);
        } else {
            setCurrentItem(m_savedRow + 1);
        }
    } else {
        logKey(key);
        ListViewCtrl::keyPressEvent(event);
        return;
    }
    logKey(key);
    event->accept();
}
