// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "ButtonCtrl.h"
#include "SkinPixmap.h"
#include "TImage.h"

#include <QSignalSpy>
#include <QTest>

namespace {
bool hasColor(const QImage &image, const QRect &area, const QColor &color)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).rgb() == color.rgb())
                return true;
        }
    }
    return false;
}
} // namespace

class tst_ButtonCtrl : public QObject
{
    Q_OBJECT
private slots:
    void enableValues_data();
    void enableValues();
    void rangeAndVisibility();
    void sliceLabelColours();
    void flatButtonColours();
    void imageButtonStates();
    void transparentMask();
    void missingPictures();
    void signals_();
};

void tst_ButtonCtrl::enableValues_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("one") << 1 << true;
    QTest::newRow("large") << 7 << true;
    QTest::newRow("zero") << 0 << false;
    QTest::newRow("minus one") << -1 << false;
}

void tst_ButtonCtrl::enableValues()
{
    QFETCH(int, value);
    QFETCH(bool, enabled);
    ButtonCtrl button;
    button.ButCtrl_SetEnable(value > 0 ? 0 : 1); // start from the opposite state
    button.ButCtrl_SetEnable(value);
    QCOMPARE(button.isEnabled(), enabled);
    QCOMPARE(button.ButCtrl_GetEnable(), enabled ? 1 : 0);
}

void tst_ButtonCtrl::rangeAndVisibility()
{
    QWidget host;
    auto *button = new ButtonCtrl(&host, "Exit");
    QCOMPARE(button->objectName(), QStringLiteral("Exit"));
    button->ButCtrl_SetRange(450, 1, 20, 21);
    QCOMPARE(button->geometry(), QRect(QPoint(450, 1), QPoint(469, 21)));
    host.show();
    button->ButCtrl_SetVisible(0);
    QVERIFY(!button->isVisible());
    QCOMPARE(button->ButCtrl_IsVisible(), 0);
    button->ButCtrl_SetVisible(1);
    QVERIFY(button->isVisible());
    QCOMPARE(button->ButCtrl_IsVisible(), 1);
}

void tst_ButtonCtrl::sliceLabelColours()
{
    QWidget host;
    auto *button = new ButtonCtrl(&host);
    auto *other = new ButtonCtrl(&host);
    button->ButCtrl_SetRange(0, 0, 80, 23);
    other->ButCtrl_SetRange(0, 30, 80, 23);
    QFont f = button->font();
    f.setPixelSize(16);
    f.setBold(true);
    button->setFont(f);
    button->ButCtrl_SetText(QStringLiteral("검색"));
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    const QRect label(20, 3, 40, 17);

    other->setFocus();
    QVERIFY(hasColor(button->grab().toImage(), label, Qt::black));
    button->setFocus();
    QVERIFY(button->hasFocus());
    QVERIFY(hasColor(button->grab().toImage(), label, Qt::white));
    button->setDown(true);
    QVERIFY(hasColor(button->grab().toImage(), label, QColor(168, 168, 168)));
    button->setDown(false);
    button->ButCtrl_SetEnable(0);
    const QImage disabled = button->grab().toImage();
    QVERIFY(hasColor(disabled, label, QColor(153, 153, 153)));
    QVERIFY(!hasColor(disabled, label, Qt::black));
}

void tst_ButtonCtrl::flatButtonColours()
{
    ButtonCtrl button;
    button.ButCtrl_SetOemType(BTN_OEM_FLAT);
    button.ButCtrl_SetShowArrow(BTN_ARROW_NONE);
    button.ButCtrl_SetRange(0, 0, 103, 23);
    button.ButCtrl_SetBkColor(QColor(221, 189, 128));
    QCOMPARE(button.grab().toImage().pixelColor(1, 1), QColor(221, 189, 128));
    // Active: the acted background colour, as long as no background picture is set.
    button.ButCtrl_SetActive(true);
    QVERIFY(button.ButCtrl_isActived());
    QCOMPARE(button.grab().toImage().pixelColor(1, 1), QColor(89, 89, 89));
    button.ButCtrl_SetBkImage(QStringLiteral("MenuBar_Kor.png"));
    QVERIFY(!button.ButCtrl_GetBkPixmap().isNull());
    QCOMPARE(button.grab().toImage().pixelColor(5, 10), button.ButCtrl_GetBkPixmap().toImage().pixelColor(5, 10));

    // The label is drawn 12 pixels in (no picture) in the font colour, grey while pressed.
    button.ButCtrl_SetBkImage(QString());
    button.ButCtrl_SetActive(false);
    QFont f = button.font();
    f.setPixelSize(16);
    f.setBold(true);
    button.setFont(f);
    button.ButCtrl_SetText(QStringLiteral("국어사전"));
    button.ButCtrl_SetFontColor(QColor(10, 20, 30));
    const QImage normal = button.grab().toImage();
    QVERIFY(hasColor(normal, QRect(12, 2, 80, 19), QColor(10, 20, 30)));
    QVERIFY(!hasColor(normal, QRect(0, 0, 11, 23), QColor(10, 20, 30)));
    button.setDown(true);
    QVERIFY(hasColor(button.grab().toImage(), QRect(12, 2, 80, 19), QColor(90, 90, 90)));
}

void tst_ButtonCtrl::imageButtonStates()
{
    QWidget host;
    auto *button = new ButtonCtrl(&host);
    button->ButCtrl_SetOemType(BTN_OEM_IMAGE);
    button->ButCtrl_SetRange(0, 0, 39, 23);
    QCOMPARE(button->ButCtrl_SetImageEx(QStringLiteral("k_menu.png"), QStringLiteral("p_menu.png"),
                                        QStringLiteral("p_menu.png"), QStringLiteral("k_menu.png")),
             1);
    QCOMPARE(button->ButCtrl_GetImageEx(BTN_PIXMAP_DOWN), QStringLiteral("p_menu.png"));
    QCOMPARE(button->ButCtrl_GetImageEx(BtnPixMapIndex(9)), QString());
    const QImage normal = SkinPixmap::get(QStringLiteral("k_menu.png")).toImage();
    const QImage pressed = SkinPixmap::get(QStringLiteral("p_menu.png")).toImage();
    QVERIFY(!normal.isNull() && !pressed.isNull());
    const QPoint probe(3, 3);
    QVERIFY(normal.pixel(probe) != pressed.pixel(probe));

    host.show();
    QCOMPARE(button->grab().toImage().pixel(probe), normal.pixel(probe));
    button->ButCtrl_SetActive(true); // an open pop-up menu keeps the pressed picture
    QCOMPARE(button->grab().toImage().pixel(probe), pressed.pixel(probe));
    button->ButCtrl_SetActive(false);
    button->setDown(true);
    QCOMPARE(button->grab().toImage().pixel(probe), pressed.pixel(probe));

    // ButCtrl_SetImage replaces the normal picture.
    const TImage find(QStringLiteral("find.png"));
    button->setDown(false);
    button->ButCtrl_SetImage(&find);
    QCOMPARE(button->ButCtrl_GetImage()->fileName(), QStringLiteral("find.png"));
    QCOMPARE(button->grab().toImage().pixel(9, 9), find.pixmap().toImage().pixel(9, 9));
}

void tst_ButtonCtrl::transparentMask()
{
    ButtonCtrl button;
    button.ButCtrl_SetOemType(BTN_OEM_IMAGE);
    button.ButCtrl_SetRange(0, 0, 20, 21);
    button.ButCtrl_SetImageEx(QStringLiteral("close_bt_nor.png"), QStringLiteral("close_bt_press.png"),
                              QStringLiteral("close_bt_foc.png"), QStringLiteral("close_bt_dis.png"));
    QVERIFY(button.mask().isEmpty());
    button.ButCtrl_SetTransparent(1);
    QCOMPARE(button.ButCtrl_GetTransparent(), 1);
    // The round picture leaves its corners out of the mask, its centre in.
    QVERIFY(!button.mask().contains(QPoint(0, 0)));
    QVERIFY(button.mask().contains(QPoint(10, 10)));
    button.ButCtrl_SetTransparent(0);
    QVERIFY(button.mask().isEmpty());
}

void tst_ButtonCtrl::missingPictures()
{
    ButtonCtrl button;
    button.ButCtrl_SetRange(0, 0, 60, 23);
    button.ButCtrl_SetOemType(BTN_OEM_IMAGE);
    QCOMPARE(button.ButCtrl_SetImageEx(QStringLiteral("no-such.png"), QString(), QStringLiteral("../../etc/passwd"),
                                       QStringLiteral("x")),
             1);
    QVERIFY(button.ButCtrl_GetImageExPixmap(BTN_PIXMAP_NORMAL).isNull());
    button.ButCtrl_SetTransparent(1);
    button.ButCtrl_SetBkImage(QStringLiteral("missing-too.png"));
    for (ButtonOemType type : {BTN_OEM_SLICE, BTN_OEM_DROPDOWN, BTN_OEM_IMAGE, BTN_OEM_FLAT}) {
        button.ButCtrl_SetOemType(type);
        QCOMPARE(button.grab().size(), QSize(60, 23));
    }
}

void tst_ButtonCtrl::signals_()
{
    QWidget host;
    auto *button = new ButtonCtrl(&host);
    button->ButCtrl_SetRange(0, 0, 53, 23);
    host.show();
    QSignalSpy clicked(button, &QPushButton::clicked);
    QSignalSpy pressed(button, &QPushButton::pressed);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(pressed.count(), 1);
    button->ButCtrl_SetEnable(-1);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    button->ButCtrl_SetData(13);
    QCOMPARE(button->ButCtrl_GetData(), 13ul);
}

QTEST_MAIN(tst_ButtonCtrl)
#include "tst_buttonctrl.moc"
