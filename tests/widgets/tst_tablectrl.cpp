// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "SkinPixmap.h"
#include "TImage.h"
#include "TableCtrl.h"
#include "TableItem.h"
#include "TextCtrl.h"

#include <QSignalSpy>
#include <QTest>

namespace {
void doubleTap(QWidget *widget, const QPoint &pos)
{
    QTest::mousePress(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// A character table as the lookup panel fills it: a caption cell, then characters in columns 1-7.
TableCtrl *makeTable(QWidget *host)
{
    auto *table = new TableCtrl(host, "WordTable");
    table->TableCtrl_ModifyStyle(0, 7);
    table->TableCtrl_SetOemType(OEM_TYPE_SKIN);
    table->TableCtrl_SetRange(0, 35, 480, 200);
    table->TableCtrl_AddItem(0, 0, QStringLiteral("3 획"), 0);
    table->TableCtrl_SetCanFocus(0, 0, false);
    const QString chars = QStringLiteral("家歌價加可假街佳暇架");
    for (int i = 0; i < chars.size(); ++i)
        table->TableCtrl_AddItem(i / 7, 1 + i % 7, chars.mid(i, 1), QStringLiteral("r%1").arg(i), 100 + i);
    table->TableCtrl_SetFixItemSize(56, 40);
    return table;
}
} // namespace

class tst_TableCtrl : public QObject
{
    Q_OBJECT
private slots:
    void fillsAndQueries();
    void fixedSizes();
    void canFocus();
    void signalsWithArguments();
    void focusBoxPainting();
    void labels();
};

void tst_TableCtrl::fillsAndQueries()
{
    QWidget host;
    TableCtrl *table = makeTable(&host);
    QCOMPARE(table->geometry(), QRect(0, 35, 480, 200));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->columnCount(), 8);
    QCOMPARE(table->TableCtrl_GetItemNum(), 11);
    QCOMPARE(table->TableCtrl_GetStr(0, 0), QStringLiteral("3 획"));
    QCOMPARE(table->TableCtrl_GetStr(1, 1), QStringLiteral("佳"));
    QCOMPARE(table->TableCtrl_GetItem(1, 1)->secondText(), QStringLiteral("r7"));
    QCOMPARE(table->TableCtrl_GetData(1, 1), 107ul);
    QCOMPARE(table->TableCtrl_GetStr(1, 7), QString());
    QCOMPARE(table->TableCtrl_GetItem(5, 5), nullptr);
    QCOMPARE(table->TableCtrl_SetData(1, 1, 9), 1);
    QCOMPARE(table->TableCtrl_GetData(1, 1), 9ul);
    QCOMPARE(table->TableCtrl_SetData(1, 7, 9), 0);
    QCOMPARE(table->TableCtrl_AddItem(-1, 0, QStringLiteral("x"), 0), 0);
    QCOMPARE(table->TableCtrl_AddItem(0, -1, new TableItem(QStringLiteral("x")), 0), 0);

    // A cell far out grows the grid.
    QCOMPARE(table->TableCtrl_AddItem(4, 9, QStringLiteral("終"), 1), 1);
    QCOMPARE(table->rowCount(), 5);
    QCOMPARE(table->columnCount(), 10);
    QCOMPARE(table->TableCtrl_DeleteItem(4, 9), 1);
    QCOMPARE(table->TableCtrl_DeleteItem(4, 9), 0);
    QCOMPARE(table->TableCtrl_GetItemNum(), 11);

    QCOMPARE(table->TableCtrl_GetCurrRow(), -1);
    QCOMPARE(table->TableCtrl_GetSelStr(), QString());
    QCOMPARE(table->TableCtrl_GetSelData(), 0ul);
    table->setCurrentCell(0, 3);
    QCOMPARE(table->TableCtrl_GetCurrRow(), 0);
    QCOMPARE(table->TableCtrl_GetCurrColumn(), 3);
    QCOMPARE(table->TableCtrl_GetSelStr(), QStringLiteral("價"));
    QCOMPARE(table->TableCtrl_GetSelData(), 102ul);
    QVERIFY(table->TableCtrl_IsSelected(0, 3));
    QVERIFY(!table->TableCtrl_IsSelected(0, 4));
    QVERIFY(!table->TableCtrl_IsSelected(40, 4));

    table->TableCtrl_ResetAllItems();
    QCOMPARE(table->TableCtrl_GetItemNum(), 0);
    QCOMPARE(table->rowCount(), 0);

    QCOMPARE(table->TableCtrl_ModifyStyle(0x4, 0), 1);
    QCOMPARE(table->TableCtrl_GetStyle(), 0x3ul);
    table->TableCtrl_SetFontSize(FONT_TYPE_SECOND, 10);
    QCOMPARE(table->TableCtrl_GetFontSize(FONT_TYPE_SECOND), 10);
    table->TableCtrl_SetFontSize(FONT_TYPE_SECOND, -2);
    QCOMPARE(table->TableCtrl_GetFontSize(FONT_TYPE_SECOND), 10);
}

void tst_TableCtrl::fixedSizes()
{
    QWidget host;
    TableCtrl *table = makeTable(&host);
    QCOMPARE(table->columnWidth(3), 56);
    QCOMPARE(table->rowHeight(1), 40);
    table->TableCtrl_SetFixItemSize(55, 30);
    QCOMPARE(table->columnWidth(0), 55);
    QCOMPARE(table->rowHeight(0), 30);
    table->TableCtrl_AddItem(6, 0, QStringLiteral("新"), 0); // rows added later keep the size
    QCOMPARE(table->rowHeight(6), 30);
    table->TableCtrl_SetFixRowsSize(50);
    QCOMPARE(table->rowHeight(3), 50);
    table->TableCtrl_SetFixColumnsSize(60);
    QCOMPARE(table->columnWidth(7), 60);
    table->TableCtrl_SetCellNum(3, 8);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->columnCount(), 8);
}

void tst_TableCtrl::canFocus()
{
    QWidget host;
    host.resize(480, 272);
    TableCtrl *table = makeTable(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    table->setFocus();
    table->setCurrentCell(0, 2);

    // A press on the caption cell leaves the current cell where it was.
    const QPoint caption = table->visualRect(table->model()->index(0, 0)).center();
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, caption);
    QCOMPARE(table->TableCtrl_GetCurrColumn(), 2);
    QCOMPARE(table->TableCtrl_SetCanFocus(0, 2, false), 1);
    QVERIFY(!table->TableCtrl_GetItem(0, 2)->canFocus());
    QCOMPARE(table->TableCtrl_SetCanFocus(-1, 2, false), 0);
    // A cell without an item gets one to carry the flag.
    QCOMPARE(table->TableCtrl_SetCanFocus(1, 7, false), 1);
    QVERIFY(table->TableCtrl_GetItem(1, 7));
}

void tst_TableCtrl::signalsWithArguments()
{
    QWidget host;
    host.resize(480, 272);
    TableCtrl *table = makeTable(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));

    QSignalSpy chosen(table, qOverload<int, int, int, const QPoint &>(&TableCtrl::doubleClicked));
    QSignalSpy changed(table, qOverload<>(&TableCtrl::selectionChanged));
    QString seenInSlot;
    connect(table, qOverload<>(&TableCtrl::selectionChanged), this, [&] { seenInSlot = table->TableCtrl_GetSelStr(); });

    const QPoint cell = table->visualRect(table->model()->index(1, 2)).center();
    doubleTap(table->viewport(), cell);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).toInt(), 1);
    QCOMPARE(chosen.at(0).at(1).toInt(), 2);
    QCOMPARE(chosen.at(0).at(2).toInt(), int(Qt::LeftButton));
    QCOMPARE(chosen.at(0).at(3).toPoint(), cell);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(seenInSlot, QStringLiteral("暇"));

    // Neither the caption nor an empty cell is chosen.
    doubleTap(table->viewport(), table->visualRect(table->model()->index(0, 0)).center());
    doubleTap(table->viewport(), table->visualRect(table->model()->index(1, 6)).center());
    QCOMPARE(chosen.count(), 1);

    QCOMPARE(table->TableCtrl_GetSelStr(), QString()); // the empty cell is current now
    table->setFocus();
    table->setCurrentCell(1, 2);
    QTest::keyClick(table, Qt::Key_Left);
    QCOMPARE(seenInSlot, QStringLiteral("佳"));
    // Column 0 of row 1 is empty but focusable; the caption of row 0 is not reachable by keys.
    QTest::keyClick(table, Qt::Key_Up);
    QCOMPARE(table->TableCtrl_GetCurrRow(), 0);
    QCOMPARE(table->TableCtrl_GetCurrColumn(), 1);
}

void tst_TableCtrl::focusBoxPainting()
{
    QWidget host;
    host.resize(480, 272);
    TableCtrl *table = makeTable(&host);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    table->setFocus();
    table->setCurrentCell(0, 5);
    const QImage image = table->viewport()->grab().toImage();
    const QRect current = table->visualRect(table->model()->index(0, 5));
    const QRect other = table->visualRect(table->model()->index(0, 6));
    const QImage center = SkinPixmap::get(QStringLiteral("focusbox_center.png")).toImage();
    QVERIFY(!center.isNull());
    // Near the top edge of the cell, above the glyph: the focus box's own colour.
    const QPoint probe(current.center().x(), current.top() + 3);
    QCOMPARE(image.pixelColor(probe), center.pixelColor(1, 3));
    QCOMPARE(image.pixelColor(other.center().x(), other.top() + 3), QColor(Qt::white));
    // The caption cell is shaded.
    const QRect caption = table->visualRect(table->model()->index(0, 0));
    QCOMPARE(image.pixelColor(caption.left() + 2, caption.top() + 2), QColor(236, 236, 236));
}

void tst_TableCtrl::labels()
{
    QWidget host;
    auto *text = new TextCtrl(&host, "Num Text");
    text->TextCtrl_SetRange(279, 172, 50, 23);
    QCOMPARE(text->geometry(), QRect(279, 172, 50, 23));
    text->TextCtrl_SetFont(14);
    QCOMPARE(text->font().pointSize(), 14);
    QCOMPARE(text->font().family(), QStringLiteral("KVN-EXT"));
    QCOMPARE(text->font().weight(), QFont::Normal);
    text->TextCtrl_SetAlign(Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(text->TextCtrl_GetAlign(), int(Qt::AlignRight | Qt::AlignVCenter));
    text->TextCtrl_SetText(QStringLiteral("1/4"));
    QCOMPARE(text->TextCtrl_GetText(), QStringLiteral("1/4"));
    const TImage banner(QStringLiteral("ver_dic.png"));
    text->TextCtrl_SetImage(&banner);
    QCOMPARE(text->pixmap().size(), QSize(352, 57));
    const TImage none(QStringLiteral("no-such.png"));
    text->TextCtrl_SetImage(&none);
    text->TextCtrl_SetImage(nullptr);
    QVERIFY(text->pixmap().isNull());
    QVERIFY(TImage::fromData(QByteArray("not a picture")).isNull());
}

QTEST_MAIN(tst_TableCtrl)
#include "tst_tablectrl.moc"
