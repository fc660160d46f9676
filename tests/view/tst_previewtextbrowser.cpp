// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "PreViewTextBrowser.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTreeWidgetItem>

using namespace Qt::StringLiterals;

namespace {
QPoint pointOf(const QTextEdit &view, const QString &text, int offset = 1)
{
    QTextCursor cursor = view.document()->find(text);
    cursor.setPosition(cursor.selectionStart() + offset);
    const QRect left = view.cursorRect(cursor);
    cursor.setPosition(cursor.position() + 1);
    const QRect right = view.cursorRect(cursor);
    return {(left.left() + right.left()) / 2, left.center().y()};
}
} // namespace

class tst_PreViewTextBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void doubleClickOpensEntry();
    void movingDoesNothing();
};

void tst_PreViewTextBrowser::doubleClickOpensEntry()
{
    PreViewTextBrowser preview(nullptr, "MeanTextBrowser");
    QCOMPARE(preview.objectName(), u"MeanTextBrowser"_s);
    preview.resize(300, 197);
    preview.setText(u"<p>apple tree</p>"_s);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));

    QSignalSpy spy(&preview, &PreViewTextBrowser::signalMouseDoubleClickedPreViewTextBrowser);
    QTest::mouseDClick(preview.viewport(), Qt::LeftButton, {}, pointOf(preview, u"apple"_s));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<QTreeWidgetItem *>(), nullptr);
    // No word is selected by the double click.
    QVERIFY(!preview.textCursor().hasSelection());
}

void tst_PreViewTextBrowser::movingDoesNothing()
{
    PreViewTextBrowser preview;
    preview.resize(300, 197);
    preview.setText(u"<p>plain <a href=\"0@1\" target=\"text\">sense</a> more words</p>"_s);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));

    QSignalSpy highlighted(&preview, &BTextBrowser::highlighted);
    QTest::mouseMove(preview.viewport(), pointOf(preview, u"sense"_s));
    QTest::mouseMove(preview.viewport(), pointOf(preview, u"plain"_s));
    QCOMPARE(highlighted.count(), 0);

    // A drag selects nothing: movement is ignored while the button is down as well.
    QTest::mousePress(preview.viewport(), Qt::LeftButton, {}, pointOf(preview, u"plain"_s, 0));
    QTest::mouseMove(preview.viewport(), pointOf(preview, u"words"_s, 3));
    QTest::mouseRelease(preview.viewport(), Qt::LeftButton, {}, pointOf(preview, u"words"_s, 3));
    QVERIFY(!preview.textCursor().hasSelection());

    // Taps on links still work as in the entry browser.
    QSignalSpy targets(&preview, &BTextBrowser::targetHit);
    QTest::ignoreMessage(QtWarningMsg, "BTextBrowser: no mimesource for 0@1");
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, pointOf(preview, u"sense"_s));
    QCOMPARE(targets.count(), 1);
}

QTEST_MAIN(tst_PreViewTextBrowser)
#include "tst_previewtextbrowser.moc"
