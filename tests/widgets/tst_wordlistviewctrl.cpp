// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ListViewItem.h"
#include "WordListViewCtrl.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {
// Plays the search screen's part: a window of nine headwords "id N" from the scroll value, the
// selection kept on the same headword across refills.
class Window : public QObject
{
public:
    Window(WordListViewCtrl *list, int count)
        : m_list(list)
    {
        list->getScrollBar()->setRange(1, count - list->getMaxItemPerPageFromMode() + 1);
        connect(list->getScrollBar(), &QScrollBar::valueChanged, this, &Window::refill);
    }

    void refill(int value)
    {
        const int row = m_list->rowForScrollValue(value);
        m_list->ListViewCtrl_ResetAllItems();
        for (int i = 0; i < 9; ++i)
            m_list->insertItem(new ListViewItem(m_list, QStringLiteral("id %1").arg(value + i)));
        if (row >= 0)
            m_list->setCurrentItem(row);
        // Lay the new rows out now, as an event loop would before the next key.
        QCoreApplication::processEvents();
    }

    void start(int value, int row)
    {
        m_list->getScrollBar()->setValue(value);
        refill(value);
        m_list->setCurrentItem(row);
    }

    QString current() const
    {
        const ListViewItem *item = m_list->ListViewCtrl_GetCurrentItem();
        return item ? item->text(0) : QString();
    }

private:
    WordListViewCtrl *m_list;
};
} // namespace

class tst_WordListViewCtrl : public QObject
{
    Q_OBJECT
private slots:
    void modes_data();
    void modes();
    void scrollBarPlacement();
    void setCurrentItemBounds();
    void downPaging_data();
    void downPaging();
    void upPaging();
    void endsOfTheList();
    void otherModesUseListKeys();
};

void tst_WordListViewCtrl::modes_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<int>("rows");
    QTest::newRow("100") << 101 << 100 << 9;
    QTest::newRow("101") << 100 << 101 << 5;
    QTest::newRow("102") << 101 << 102 << 9;
    QTest::newRow("103") << 101 << 103 << 9;
    QTest::newRow("104 keeps") << 101 << 104 << 5;
    QTest::newRow("105 keeps") << 100 << 105 << 9;
    QTest::newRow("other keeps") << 101 << 7 << 5;
}

void tst_WordListViewCtrl::modes()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(int, rows);
    WordListViewCtrl list;
    QCOMPARE(list.getPreViewMode(), -1);
    QCOMPARE(list.getMaxItemPerPageFromMode(), 9);
    list.setPreViewMode(first);
    list.setPreViewMode(second);
    QCOMPARE(list.getPreViewMode(), second);
    QCOMPARE(list.getMaxItemPerPageFromMode(), rows);
}

void tst_WordListViewCtrl::scrollBarPlacement()
{
    QWidget host;
    auto *list = new WordListViewCtrl(&host, "WordListView");
    QScrollBar *bar = list->getScrollBar();
    QCOMPARE(bar->parentWidget(), list);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 0);
    QCOMPARE(bar->singleStep(), 1);
    QCOMPARE(bar->pageStep(), 9);
    QCOMPARE(list->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    list->setGeometry(0, 0, 180, 197);
    QCOMPARE(list->geometry(), QRect(0, 0, 180, 197));
    QCOMPARE(bar->geometry(), QRect(164, -1, 16, 199));
    list->setGeometry(0, 0, 480, 109);
    QCOMPARE(bar->geometry(), QRect(464, -1, 16, 111));
}

void tst_WordListViewCtrl::setCurrentItemBounds()
{
    QWidget host;
    auto *list = new WordListViewCtrl(&host);
    list->setPreViewMode(WordListViewCtrl::MODE_LIST);
    list->setGeometry(0, 0, 480, 197);
    Window window(list, 100);
    host.show();
    QCOMPARE(list->getCurrentItem(), 0); // none yet
    window.start(10, 3);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 3);
    QCOMPARE(list->getSavedScrollValue(), 10);
    QCOMPARE(list->getSavedRow(), 3);

    QCOMPARE(list->setCurrentItem(10), 0);
    QCOMPARE(list->setCurrentItem(-1), 0);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 3);
    QCOMPARE(list->getSavedRow(), 3);
    QCOMPARE(list->setCurrentItem(8), 1);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 8);
    QCOMPARE(list->getCurrentItem(), 8);

    // Nine rows fill the list's height exactly.
    QCOMPARE(list->visualItemRect(list->ListViewCtrl_GetItem(8)).bottom() + 1, 9 * (197 / 9));
}

void tst_WordListViewCtrl::downPaging_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("list only") << 100 << 8;
    QTest::newRow("horizontal preview") << 101 << 4;
    QTest::newRow("vertical preview") << 102 << 8;
}

void tst_WordListViewCtrl::downPaging()
{
    QFETCH(int, mode);
    QFETCH(int, lastRow);
    QWidget host;
    auto *list = new WordListViewCtrl(&host);
    list->setPreViewMode(mode);
    list->setGeometry(0, 0, 480, mode == 101 ? 109 : 197);
    Window window(list, 100);
    host.show();
    window.start(1, 0);
    list->setFocus();

    for (int i = 1; i <= lastRow; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->ListViewCtrl_GetSelIndex(), i);
        QCOMPARE(list->getScrollBar()->value(), 1);
    }
    // On the last row of the page Down scrolls by one headword and stays on that row.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->getScrollBar()->value(), 2);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), lastRow);
    QCOMPARE(window.current(), QStringLiteral("id %1").arg(lastRow + 2));
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->getScrollBar()->value(), 3);
    QCOMPARE(window.current(), QStringLiteral("id %1").arg(lastRow + 3));

    // With the window top at 2 and a row above the last, Down just moves one row.
    window.start(2, 0);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->getScrollBar()->value(), 2);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 1);
}

void tst_WordListViewCtrl::upPaging()
{
    QWidget host;
    auto *list = new WordListViewCtrl(&host);
    list->setPreViewMode(WordListViewCtrl::MODE_LIST);
    list->setGeometry(0, 0, 480, 197);
    Window window(list, 100);
    host.show();
    window.start(5, 2);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 1);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 0);
    QCOMPARE(list->getScrollBar()->value(), 5);
    QCOMPARE(window.current(), QStringLiteral("id 5"));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->getScrollBar()->value(), 4);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 0);
    QCOMPARE(window.current(), QStringLiteral("id 4"));
}

void tst_WordListViewCtrl::endsOfTheList()
{
    QWidget host;
    auto *list = new WordListViewCtrl(&host);
    list->setPreViewMode(WordListViewCtrl::MODE_LIST);
    list->setGeometry(0, 0, 480, 197);
    Window window(list, 20); // maximum 12
    host.show();

    window.start(1, 0);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->getScrollBar()->value(), 1);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 0);

    window.start(12, 4);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->getScrollBar()->value(), 12);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 4);

    // The remembered headword comes back before a key acts, even after the window moved away.
    window.start(3, 2);
    list->getScrollBar()->setValue(7);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), -1);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->getScrollBar()->value(), 3);
    QCOMPARE(window.current(), QStringLiteral("id 6"));
}

void tst_WordListViewCtrl::otherModesUseListKeys()
{
    QWidget host;
    auto *list = new WordListViewCtrl(&host);
    list->setPreViewMode(WordListViewCtrl::MODE_CONVERSATION);
    list->setGeometry(0, 0, 180, 197);
    Window window(list, 100);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    window.start(1, 8);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    // The list view's own handling: the last row stays current and nothing scrolls.
    QCOMPARE(list->getScrollBar()->value(), 1);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 8);
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 7);
    QCOMPARE(list->getSavedRow(), 8); // only setCurrentItem remembers
}

QTEST_MAIN(tst_WordListViewCtrl)
#include "tst_wordlistviewctrl.moc"
