// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "EditCtrl.h"

#include <QSignalSpy>
#include <QTest>

class tst_EditCtrl : public QObject
{
    Q_OBJECT
private slots:
    void guideText();
    void doubleTapClears();
};

void tst_EditCtrl::guideText()
{
    QWidget host;
    auto *edit = new EditCtrl(&host, "SearchEdit");
    edit->EditCtrl_SetRange(28, 4, 392, 23);
    QCOMPARE(edit->geometry(), QRect(28, 4, 392, 23));
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));

    const QColor grey(200, 200, 200);
    // No guide text: no grey frame.
    QVERIFY(edit->grab().toImage().pixelColor(0, 11) != grey);
    edit->EditCtrl_SetGuideText(QStringLiteral("단어를 입력하세요"));
    QCOMPARE(edit->EditCtrl_GetGuideText(), QStringLiteral("단어를 입력하세요"));
    QImage shown = edit->grab().toImage();
    QCOMPARE(shown.pixelColor(0, 11), grey);
    QCOMPARE(shown.pixelColor(391, 11), grey);
    QCOMPARE(shown.pixelColor(200, 0), grey);
    QVERIFY(edit->isGuideShown());

    QSignalSpy changed(edit, &QLineEdit::textChanged);
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("a"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("a"));
    QCOMPARE(edit->EditCtrl_GetStrLen(), 1);
    QVERIFY(!edit->isGuideShown());
    QVERIFY(edit->grab().toImage().pixelColor(0, 11) != grey);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->grab().toImage().pixelColor(0, 11), grey);
}

void tst_EditCtrl::doubleTapClears()
{
    QWidget host;
    auto *edit = new EditCtrl(&host);
    edit->EditCtrl_SetRange(0, 0, 200, 23);
    host.show();
    QVERIFY(QTest::qWaitForWindowActive(&host));
    edit->setText(QStringLiteral("dictionary"));
    edit->setFocus();
    QSignalSpy changed(edit, &QLineEdit::textChanged);
    QTest::mouseDClick(edit, Qt::LeftButton, {}, QPoint(20, 11));
    QCOMPARE(edit->text(), QString());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(edit->EditCtrl_GetStrLen(), 0);
}

QTEST_MAIN(tst_EditCtrl)
#include "tst_editctrl.moc"
