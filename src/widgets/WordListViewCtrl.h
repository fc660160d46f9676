// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "ListViewCtrl.h"

class QScrollBar;

// The headword list of the search screen. It shows one window of headwords; a separate scroll
// bar (its value is the headword ID at the window's top) moves the window, and the screen
// refills the rows whenever that value changes. The list remembers the scroll value and row of
// its last selection so that the selection follows the same headword across refills, and pages
// with Up and Down one headword at a time at the window's edges.
class WordListViewCtrl final : public ListViewCtrl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WordListViewCtrl)
public:
    // Preview modes (layouts of the search screen).
    enum : int {
        MODE_LIST = 100, // list only, 9 rows per page
        MODE_HORIZONTAL = 101, // preview below the list, 5 rows per page
        MODE_VERTICAL = 102, // preview beside the list, 9 rows per page
        MODE_CONVERSATION = 103, // phrase list beside it, 9 rows per page
        MODE_TOTAL = 104, // integrated search results
        MODE_FULLHIT = 105 // full hit list
    };

    explicit WordListViewCtrl(QWidget *parent = nullptr, const char *name = nullptr);
    ~WordListViewCtrl() override;

    // Stores the mode; 100, 102 and 103 give 9 rows per page, 101 gives 5, others keep the value.
    void setPreViewMode(int mode);
    int getPreViewMode() const { return m_previewMode; }
    int getMaxItemPerPageFromMode() const { return m_rowsPerPage; }
    // The separate vertical scroll bar (minimum 0, maximum 0, line step 1, page step 9 at start).
    QScrollBar *getScrollBar() const { return m_scrollBar; }

    using ListViewCtrl::setCurrentItem;

    // Appends a row after the last one.
    void insertItem(ListViewItem *item);
    // For a row from 0 to 9: remembers the scroll value and the row, makes the row current and
    // selected (when it exists) and answers 1; any other row answers 0 and changes nothing.
    int setCurrentItem(int row);
    // The current row's index from the top, re-selected and remembered; 0 without one.
    int getCurrentItem();

    // The scroll value and row remembered at the last selection (0 and 1 at start).
    int getSavedScrollValue() const { return m_savedValue; }
    int getSavedRow() const { return m_savedRow; }
    // The row that shows the remembered headword when the window top is `value`, that is
    // row - (value - remembered value); -1 when that row is outside the window's rows.
    int rowForScrollValue(int value) const;

    // Places the list and its scroll bar (16 pixels wide at the right edge, one pixel beyond the
    // list's top and bottom).
    void setGeometry(int x, int y, int width, int height);

    // Rows are sized so that one page fills the list.
    int itemHeight() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeScrollBar();
    void logKey(int key) const;

    QScrollBar *m_scrollBar = nullptr; // child
    int m_previewMode = -1;
    int m_rowsPerPage = 9;
    int m_savedValue = 0;
    int m_savedRow = 1;
};
