// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ListViewCtrl.h"
#include "ListViewItem.h"

#include <QSignalSpy>
#include <QTest>

namespace {
// A real double tap: press, release, then the double-click press and its release.
void doubleTap(QWidget *widget, const QPoint &pos)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

ListViewCtrl *makeList(QWidget *host, int rows)
{
    auto *list = new ListViewCtrl(host, "ListViewCtrl");
    list->ListViewCtrl_SetRange(0, 0, 300, 197);
    list->setFrameStyle(0);
    list->ListViewCtrl_AddColumn(QStringLiteral("Word"), 300);
    for (int i = 0; i < rows; ++i)
        list->ListViewCtrl_AddItem(new ListViewItem(list, QStringLiteral("word %1").arg(i)), 100 + i);
    return list;
}
} // namespace

class tst_ListViewCtrl : public QObject
{
    Q_OBJECT
private slots:
    void rowAddressing();
    void selection();
    void modifyStyle();
    void signalsFromKeysAndMouse();
    void separatorsAndFocusColour_data();
    void separatorsAndFocusColour();
};

void tst_ListViewCtrl::rowAddressing()
{
    QWidget host;
    ListViewCtrl *list = makeList(&host, 4);
    QCOMPARE(list->geometry(), QRect(0, 0, 300, 197));
    QCOMPARE(list->ListViewCtrl_GetItemNum(), 4);
    QCOMPARE(list->ListViewCtrl_GetFirstItem()->text(0), QStringLiteral("word 0"));
    QCOMPARE(list->ListViewCtrl_GetNextItem(list->ListViewCtrl_GetItem(2))->text(0), QStringLiteral("word 3"));
    QCOMPARE(list->ListViewCtrl_GetNextItem(list->ListViewCtrl_GetItem(3)), nullptr);
    QCOMPARE(list->ListViewCtrl_GetItem(4), nullptr);
    QCOMPARE(list->ListViewCtrl_GetItem(-1), nullptr);
    QCOMPARE(list->ListViewCtrl_GetData(list->ListViewCtrl_GetItem(1)), 101ul);
    QCOMPARE(list->ListViewCtrl_SetData(1, 7), 1);
    QCOMPARE(list->ListViewCtrl_GetData(list->ListViewCtrl_GetItem(1)), 7ul);
    QCOMPARE(list->ListViewCtrl_SetData(9, 7), 0);
    QCOMPARE(list->ListViewCtrl_GetData(nullptr), 0ul);
    QCOMPARE(list->ListViewCtrl_AddItem(nullptr, 1), 0);

    // Rows are 30 pixels high.
    host.show();
    QCOMPARE(list->visualItemRect(list->ListViewCtrl_GetItem(1)).height(), 30);
    QCOMPARE(list->visualItemRect(list->ListViewCtrl_GetItem(1)).top(), 30);

    ListViewItem *doomed = list->ListViewCtrl_GetItem(1);
    QCOMPARE(list->ListViewCtrl_DeleteItem(doomed), 1);
    QCOMPARE(list->ListViewCtrl_GetItemNum(), 3);
    QCOMPARE(list->ListViewCtrl_GetItem(1)->text(0), QStringLiteral("word 2"));
    ListViewItem stranger;
    QCOMPARE(list->ListViewCtrl_DeleteItem(&stranger), 0);
    QCOMPARE(list->ListViewCtrl_UpdateItem(&stranger), 0);
    list->ListViewCtrl_ResetAllItems();
    QCOMPARE(list->ListViewCtrl_GetItemNum(), 0);
    QCOMPARE(list->ListViewCtrl_GetFirstItem(), nullptr);
}

void tst_ListViewCtrl::selection()
{
    QWidget host;
    ListViewCtrl *list = makeList(&host, 12);
    host.show();
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), -1);
    QCOMPARE(list->ListViewCtrl_GetSelData(), 0ul);
    QCOMPARE(list->ListViewCtrl_IsSelected(), 0);
    QCOMPARE(list->ListViewCtrl_SelectItem(12), 0);
    QCOMPARE(list->ListViewCtrl_SelectItem(-1), 0);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), -1);
    QCOMPARE(list->ListViewCtrl_SelectItem(3), 1);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 3);
    QCOMPARE(list->ListViewCtrl_GetSelData(), 103ul);
    QCOMPARE(list->ListViewCtrl_IsSelected(), 1);
    QCOMPARE(list->ListViewCtrl_GetCurrentItem(), list->ListViewCtrl_GetItem(3));
    QCOMPARE(list->ListViewCtrl_SelectItem(list->ListViewCtrl_GetItem(5)), 1);
    QCOMPARE(list->ListViewCtrl_GetSelIndex(), 5);
    QCOMPARE(list->selectedItems().size(), 1);

    QCOMPARE(list->ListViewCtrl_EnsureVisible(40), 0);
    QCOMPARE(list->ListViewCtrl_EnsureVisible(11), 1);
    QVERIFY(list->viewport()->rect().intersects(list->visualItemRect(list->ListViewCtrl_GetItem(11))));
}

void tst_ListViewCtrl::modifyStyle()
{
    ListViewCtrl list;
    QCOMPARE(list.ListViewCtrl_GetStyle(), 0ul);
    QCOMPARE(list.ListViewCtrl_ModifyStyle(0, 0x6), 1);
    QCOMPARE(list.ListViewCtrl_GetStyle(), 0x6ul);
    QCOMPARE(list.ListViewCtrl_ModifyStyle(0x4, 0x1), 1);
    QCOMPARE(list.ListViewCtrl_GetStyle(), 0x3ul);
    list.ListViewCtrl_SetFontSize(15);
    QCOMPARE(list.font().pointSize(), 15);
    list.ListViewCtrl_SetFontSize(0);
    QCOMPARE(list.ListViewCtrl_GetFontSize(), 15);
}

void tst_ListViewCtrl::signalsFromKeysAndMouse()
{
    QWidget host;
    ListViewCtrl *list = makeList(&host, 5);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    list->setFocus();

    QList<int> indexSeenInSlot;
    QSignalSpy changed(list, qOverload<QTreeWidgetItem *>(&ListViewCtrl::selectionChanged));
    QSignalSpy changedPlain(list, qOverload<>(&ListViewCtrl::selectionChanged));
    connect(list, qOverload<QTreeWidgetItem *>(&ListViewCtrl::selectionChanged), this,
            [&](QTreeWidgetItem *) { indexSeenInSlot.append(list->ListViewCtrl_GetSelIndex()); });

    list->ListViewCtrl_SelectItem(1);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QTreeWidgetItem *>(), list->ListViewCtrl_GetItem(1));
    list->ListViewCtrl_SelectItem(1); // the same row again: no signal
    QCOMPARE(changed.count(), 1);

    // A key moves the selection; the slot already sees the new current row.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).value<QTreeWidgetItem *>(), list->ListViewCtrl_GetItem(2));
    QCOMPARE(indexSeenInSlot, QList<int>({1, 2}));

    const QRect row4 = list->visualItemRect(list->ListViewCtrl_GetItem(4));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row4.center());
    QCOMPARE(changed.count(), 3);
    QCOMPARE(indexSeenInSlot.last(), 4);
    QCOMPARE(changedPlain.count(), 3);

    QSignalSpy doubled(list, qOverload<QTreeWidgetItem *>(&ListViewCtrl::doubleClicked));
    const QRect row0 = list->visualItemRect(list->ListViewCtrl_GetItem(0));
    doubleTap(list->viewport(), row0.center());
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).value<QTreeWidgetItem *>(), list->ListViewCtrl_GetItem(0));
    // Below the last row there is no item to report.
    doubleTap(list->viewport(), QPoint(50, 190));
    QCOMPARE(doubled.count(), 1);
}

void tst_ListViewCtrl::separatorsAndFocusColour_data()
{
    QTest::addColumn<unsigned long>("style");
    QTest::addColumn<QPoint>("probe"); // inside row 1 (y from 30)
    QTest::addColumn<QColor>("expected");
    const QColor separator(241, 241, 241);
    QTest::newRow("solid line on top") << 0ul << QPoint(100, 30) << separator;
    QTest::newRow("solid line: no frame at the side") << 0ul << QPoint(0, 45) << QColor(Qt::white);
    QTest::newRow("frame at the side") << 0x1ul << QPoint(0, 45) << separator;
    QTest::newRow("frame at the bottom") << 0x1ul << QPoint(100, 59) << separator;
    QTest::newRow("dotted line, even pixel") << 0x2ul << QPoint(100, 30) << QColor(Qt::black);
    QTest::newRow("dotted line, odd pixel") << 0x2ul << QPoint(101, 30) << separator;
}

void tst_ListViewCtrl::separatorsAndFocusColour()
{
    QFETCH(unsigned long, style);
    QFETCH(QPoint, probe);
    QFETCH(QColor, expected);
    QWidget host;
    ListViewCtrl *list = makeList(&host, 4);
    QPalette pal = list->palette();
    pal.setColor(QPalette::Base, Qt::white);
    list->setPalette(pal);
    list->ListViewCtrl_ModifyStyle(0, style);
    list->ListViewCtrl_SetFocusColor(QColor(255, 190, 140));
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    QCOMPARE(list->grab().toImage().pixelColor(probe), expected);

    // The current row of a focused list is filled with the focus colour.
    list->setFocus();
    list->ListViewCtrl_SelectItem(2);
    QCOMPARE(list->grab().toImage().pixelColor(3, 75), QColor(255, 190, 140));
}

QTEST_MAIN(tst_ListViewCtrl)
#include "tst_listviewctrl.moc"
