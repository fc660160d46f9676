// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "PopupMenu.h"
#include "PopupMenuStyle.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

class tst_PopupMenu : public QObject
{
    Q_OBJECT
private slots:
    void getValue_data();
    void getValue();
    void stripedRows();
    void itemsById();
    void activatedCarriesTheId();
    void menuWidth();
};

void tst_PopupMenu::getValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("properties");
    QTest::addColumn<int>("value");
    QTest::newRow("single") << "BGCOLOR"
                            << "BGCOLOR=15987699;" << 15987699;
    QTest::newRow("second entry") << "WIDTH"
                                  << "BGCOLOR=15198183;WIDTH=20;" << 20;
    QTest::newRow("first of two") << "BGCOLOR"
                                  << "BGCOLOR=1;BGCOLOR=2;" << 1;
    QTest::newRow("missing key") << "WIDTH"
                                 << "BGCOLOR=15987699;" << -1;
    QTest::newRow("missing semicolon") << "WIDTH"
                                       << "BGCOLOR=1;WIDTH=20" << -1;
    QTest::newRow("only a longer key") << "WIDTH"
                                       << "MAXWIDTH=9;" << -1;
    QTest::newRow("longer key before the key") << "WIDTH"
                                               << "MAXWIDTH=9;WIDTH=4;" << 4;
    QTest::newRow("no equals sign") << "WIDTH"
                                    << "WIDTH;" << -1;
    QTest::newRow("not a number") << "WIDTH"
                                  << "WIDTH=wide;" << -1;
    QTest::newRow("empty value") << "WIDTH"
                                 << "WIDTH=;" << -1;
    QTest::newRow("empty properties") << "WIDTH"
                                      << "" << -1;
    QTest::newRow("negative") << "X"
                              << "X=-3;" << -3;
}

void tst_PopupMenu::getValue()
{
    QFETCH(QString, key);
    QFETCH(QString, properties);
    QFETCH(int, value);
    QCOMPARE(PopupMenuStyle::GetValue(key, properties), value);
}

void tst_PopupMenu::stripedRows()
{
    QWidget host;
    host.show();
    auto *menu = new PopupMenu(&host, "MenuPopup");
    menu->PopupMenu_SetOemType(OEM_TYPE_SKIN);
    menu->PopupMenu_AddItem(QStringLiteral("통합검색"), 0);
    menu->PopupMenu_AddItem(QStringLiteral("사전"), 1);
    menu->PopupMenu_AddItem(QStringLiteral("설정"), 5, QStringLiteral("WIDTH=3;"));
    QCOMPARE(menu->PopupMenu_GetItemNum(), 3);
    QCOMPARE(PopupMenuStyle::GetValue(QStringLiteral("BGCOLOR"), menu->PopupMenu_GetProperties(0)), 15987699);
    QCOMPARE(PopupMenuStyle::GetValue(QStringLiteral("BGCOLOR"), menu->PopupMenu_GetProperties(1)), 15198183);
    QCOMPARE(PopupMenuStyle::GetValue(QStringLiteral("BGCOLOR"), menu->PopupMenu_GetProperties(5)), 15987699);
    QCOMPARE(PopupMenuStyle::GetValue(QStringLiteral("WIDTH"), menu->PopupMenu_GetProperties(5)), 3);

    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    const QImage image = menu->grab().toImage();
    const QColor expected[] = {{243, 243, 243}, {231, 231, 231}, {243, 243, 243}};
    for (int i = 0; i < 3; ++i) {
        const QRect row = menu->actionGeometry(menu->actions().at(i));
        QCOMPARE(image.pixelColor(row.right() - 2, row.center().y()), expected[i]);
    }
    QCOMPARE(image.pixelColor(0, 0), QColor(146, 146, 146));
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() / 2), QColor(146, 146, 146));
    menu->hide();

    // A new list starts the stripes again.
    menu->PopupMenu_ResetAllItems();
    QCOMPARE(menu->PopupMenu_GetItemNum(), 0);
    menu->PopupMenu_AddItem(QStringLiteral("단어장"), 34);
    QCOMPARE(PopupMenuStyle::GetValue(QStringLiteral("BGCOLOR"), menu->PopupMenu_GetProperties(34)), 15987699);
}

void tst_PopupMenu::itemsById()
{
    PopupMenu menu;
    menu.PopupMenu_AddItem(QStringLiteral("국어사전"), 16);
    menu.PopupMenu_AddItem(QStringLiteral("영한사전"), 19);
    menu.PopupMenu_AddItem(QStringLiteral("한영사전"), 17);
    QCOMPARE(menu.PopupMenu_GetStr(19), QStringLiteral("영한사전"));
    QCOMPARE(menu.PopupMenu_GetStr(1), QString());
    menu.PopupMenu_SetEnableItem(17, 0);
    QVERIFY(!menu.actionForId(17)->isEnabled());
    menu.PopupMenu_SetEnableItem(17, 1);
    QVERIFY(menu.actionForId(17)->isEnabled());
    menu.PopupMenu_DeleteItem(19);
    QCOMPARE(menu.PopupMenu_GetItemNum(), 2);
    QCOMPARE(menu.PopupMenu_GetStr(19), QString());
    QCOMPARE(menu.PopupMenu_GetStr(17), QStringLiteral("한영사전"));
    menu.PopupMenu_DeleteItem(99); // unknown: nothing happens
    QCOMPARE(menu.PopupMenu_GetItemNum(), 2);
}

void tst_PopupMenu::activatedCarriesTheId()
{
    QWidget host;
    auto *menu = new PopupMenu(&host, "MenuPopup");
    auto *sub = new PopupMenu(&host, "Dic Popup");
    sub->PopupMenu_AddItem(QStringLiteral("국어사전"), 7);
    sub->PopupMenu_AddItem(QStringLiteral("영한사전"), 10);
    menu->PopupMenu_AddItem(QStringLiteral("통합검색"), 0);
    menu->PopupMenu_AddItemEx(QStringLiteral("사전"), sub, 1);
    menu->PopupMenu_AddItem(QStringLiteral("종료"), 6);
    QCOMPARE(menu->actionForId(1)->menu(), sub);

    QSignalSpy top(menu, &PopupMenu::activated);
    QSignalSpy inner(sub, &PopupMenu::activated);
    menu->actionForId(6)->trigger();
    QCOMPARE(top.count(), 1);
    QCOMPARE(top.at(0).at(0).toInt(), 6);

    // Chosen through the pop-up itself: keys open the menu, move to the third row and choose it.
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(menu->actionForId(0));
    QTest::keyClick(menu, Qt::Key_Return);
    QCOMPARE(top.count(), 2);
    QCOMPARE(top.at(1).at(0).toInt(), 0);

    // An item of the sub-menu is reported by the sub-menu only.
    sub->actionForId(10)->trigger();
    QCOMPARE(inner.count(), 1);
    QCOMPARE(inner.at(0).at(0).toInt(), 10);
    QCOMPARE(top.count(), 2);
}

void tst_PopupMenu::menuWidth()
{
    PopupMenu menu;
    menu.PopupMenu_SetOemType(OEM_TYPE_SKIN);
    menu.PopupMenu_AddItem(QStringLiteral("통합검색"), 0);
    const int plain = menu.sizeHint().width();
    QCOMPARE(menu.actionGeometry(menu.actions().at(0)).height(), PopupMenuStyle::ItemHeight);
    menu.PopupMenu_SetMenuWidthEx(42);
    QCOMPARE(menu.PopupMenu_GetMenuWidthEx(), 42);
    QCOMPARE(menu.sizeHint().width(), plain + 42);

    PopupMenu wide;
    wide.PopupMenu_SetOemType(OEM_TYPE_SKIN);
    wide.PopupMenu_SetMenuWidthEx(42);
    wide.PopupMenu_AddItem(QStringLiteral("통합검색"), 0, QStringLiteral("WIDTH=10;"));
    QCOMPARE(wide.sizeHint().width(), plain + 10);
}

QTEST_MAIN(tst_PopupMenu)
#include "tst_popupmenu.moc"
