// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BTextBrowser.h"

#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
// Document position of the first occurrence of a text.
int positionOf(const QTextEdit &view, const QString &text)
{
    const QTextCursor found = view.document()->find(text);
    return found.isNull() ? -1 : found.selectionStart();
}

// Viewport point in the middle of the character at a document position.
QPoint charPoint(const QTextEdit &view, int position)
{
    QTextCursor cursor(view.document());
    cursor.setPosition(position);
    const QRect left = view.cursorRect(cursor);
    cursor.setPosition(position + 1);
    const QRect right = view.cursorRect(cursor);
    const int x = right.top() == left.top() && right.left() > left.left() ? (left.left() + right.left()) / 2
                                                                          : left.left() + 3;
    return {x, left.center().y()};
}

QPoint pointOf(const QTextEdit &view, const QString &text, int offset = 1)
{
    return charPoint(view, positionOf(view, text) + offset);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeImage(const QString &path, const QColor &color)
{
    QImage image(10, 10, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

bool containsColor(const QImage &image, QRgb color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xffffff) == (color & 0xffffff))
                return true;
    return false;
}

const QString LinkPage = u"<p>first line <a href=\"page.html\" target=\"text\">alpha</a> and "
                         u"<a href=\"other.html\" target=\"text\">beta</a> and "
                         u"<a href=\"@page.html\" target=\"text\">gamma</a> and "
                         u"<a href=\"page.html\">delta</a> end</p>"_s;
} // namespace

class tst_BTextBrowser : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void targetsRoundTrip_data();
    void targetsRoundTrip();
    void prepareHtmlLeavesOtherTags();
    void tapOnLinks();
    void highlightAndCursor();
    void selectThenTap();
    void doubleClickSelectsWord();
    void titleMode();
    void setTextScrollRule();
    void namedAnchorsScroll();
    void imagesFromPixmapDir();
    void sourceDiagnostics();
    void linkStyle();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<BTextBrowser> m_browser;
    void showBrowser(const QString &html);
};

void tst_BTextBrowser::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_browser = std::make_unique<BTextBrowser>(nullptr, "ContentsDetailView");
    m_browser->resize(441, 200);
    m_browser->setSearchPaths({m_dir->path()});
    writeFile(m_dir->filePath(u"page.html"_s), "<html><body>the followed page</body></html>");
    writeFile(m_dir->filePath(u"other.html"_s), "<html><body>another page</body></html>");
    m_browser->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_browser.get()));
}

void tst_BTextBrowser::cleanup()
{
    m_browser.reset();
    m_dir.reset();
}

void tst_BTextBrowser::showBrowser(const QString &html)
{
    m_browser->setText(html, QString(), true);
    QCoreApplication::processEvents();
}

void tst_BTextBrowser::targetsRoundTrip_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("target");

    QTest::newRow("renderer link") << u"<a href=\"0@1\" target=\"text\">사과</a>"_s << u"사과"_s << u"0@1"_s
                                   << u"text"_s;
    QTest::newRow("spaced upper case") << u"x <A HREF = \"2@3\" TARGET = \"text\">word</A> y"_s << u"word"_s << u"2@3"_s
                                       << u"text"_s;
    QTest::newRow("unquoted") << u"<a target=t1 href=4@5>word</a>"_s << u"word"_s << u"4@5"_s << u"t1"_s;
    QTest::newRow("single quotes") << u"<a href='a b' target='t 2'>word</a>"_s << u"word"_s << u"a b"_s << u"t 2"_s;
    QTest::newRow("entities") << u"<a href=\"x&amp;y\" target=\"&lt;t&gt;\">word</a>"_s << u"word"_s << u"x&y"_s
                              << u"<t>"_s;
    QTest::newRow("no target") << u"<a href=\"plain\">word</a>"_s << u"word"_s << u"plain"_s << QString();
    QTest::newRow("target only") << u"<a target=\"text\">word</a>"_s << u"word"_s << QString() << u"text"_s;
    QTest::newRow("red number and icon")
            << u"<A NAME=명사></A><a href=\"1@0\" target=\"text\"><font color=#ff0000>1 </font>meaning"
               u"<img src = \"dic_bt_open.png\"></a><br>"_s
            << u"meaning"_s << u"1@0"_s << u"text"_s;
    QTest::newRow("in a table cell")
            << u"<table border=0><tr><td>left</td><td></td><td rowspan=2><a href=\"5@6\" target=\"text\">word</a>"
               u"</td></tr></table>"_s
            << u"word"_s << u"5@6"_s << u"text"_s;
    QTest::newRow("second of two links") << u"<a href=\"1@1\" target=\"one\">first</a> "
                                            u"<a href=\"1@2\" target=\"two\">word</a>"_s
                                         << u"word"_s << u"1@2"_s << u"two"_s;
}

void tst_BTextBrowser::targetsRoundTrip()
{
    QFETCH(QString, html);
    QFETCH(QString, word);
    QFETCH(QString, href);
    QFETCH(QString, target);

    showBrowser(html + u" plain"_s);
    const QPoint inside = pointOf(*m_browser, word);
    QCOMPARE(m_browser->anchorAt(inside), href);
    QCOMPARE(m_browser->anchorAtTarget(inside), target);
    const QPoint outside = pointOf(*m_browser, u"plain"_s);
    QCOMPARE(m_browser->anchorAt(outside), QString());
    QCOMPARE(m_browser->anchorAtTarget(outside), QString());
    // The document itself keeps the href as written.
    QVERIFY(!m_browser->toHtml().contains(QChar(0xFDD0)));
    QCOMPARE(m_browser->toPlainText().contains(word), true);
}

void tst_BTextBrowser::prepareHtmlLeavesOtherTags()
{
    const QString html = u"<abbr target=x>a</abbr> <a>b</a> <a name=n>c</a> <img src = \"s.png\"><br/><!-- c -->"_s;
    QCOMPARE(BTextBrowser::prepareHtml(html), html);
    // A less-than sign that starts no tag is shown as it stands.
    QCOMPARE(BTextBrowser::prepareHtml(u"3 < 4 <= 5 <1> <가> <"_s), u"3 &lt; 4 &lt;= 5 &lt;1> &lt;가> &lt;"_s);
    showBrowser(u"<font color=\"black\">3 < 4 text &lt;명사> <b>bold</b></font>"_s);
    QCOMPARE(m_browser->toPlainText(), u"3 < 4 text <명사> bold"_s);
    // An unclosed tag at the end of the text is harmless.
    const QString cut = u"text <a href=\"x\" target=\"y"_s;
    QVERIFY(BTextBrowser::prepareHtml(cut).startsWith(u"text <a "_s));
    showBrowser(cut);
    QCOMPARE(BTextBrowser::prepareHtml(QString()), QString());
}

void tst_BTextBrowser::tapOnLinks()
{
    showBrowser(LinkPage);
    QSignalSpy targets(m_browser.get(), &BTextBrowser::targetHit);
    QWidget *viewport = m_browser->viewport();

    // Press on one link, release on another: nothing happens.
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"alpha"_s));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"beta"_s));
    QCOMPARE(targets.count(), 0);
    QVERIFY(m_browser->source().isEmpty());
    QVERIFY(m_browser->toPlainText().startsWith(u"first line"_s));

    // Press and release on a link starting with "@": its target still counts, it is not followed.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"gamma"_s));
    QCOMPARE(targets.count(), 1);
    QCOMPARE(targets.takeFirst().at(0).toString(), u"text"_s);
    QVERIFY(m_browser->source().isEmpty());
    m_browser->setSource(QUrl(u"@page.html"_s));
    QVERIFY(m_browser->source().isEmpty());

    // A link without target is followed but reports no target.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"delta"_s));
    QCOMPARE(targets.count(), 0);
    QCOMPARE(m_browser->source(), QUrl(u"page.html"_s));
    QCOMPARE(m_browser->toPlainText(), u"the followed page"_s);

    // A completed tap on a link with a target follows it and reports the target.
    showBrowser(LinkPage);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"beta"_s));
    QCOMPARE(targets.count(), 1);
    QCOMPARE(targets.takeFirst().at(0).toString(), u"text"_s);
    QCOMPARE(m_browser->toPlainText(), u"another page"_s);

    // Press outside any link and release on one: nothing.
    showBrowser(LinkPage);
    const QUrl before = m_browser->source();
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"first"_s));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"alpha"_s));
    QCOMPARE(targets.count(), 0);
    QCOMPARE(m_browser->source(), before);
    QVERIFY(m_browser->toPlainText().startsWith(u"first line"_s));

    // The right button neither follows links nor reports targets.
    QTest::mouseClick(viewport, Qt::RightButton, {}, pointOf(*m_browser, u"alpha"_s));
    QCOMPARE(targets.count(), 0);
    QVERIFY(m_browser->toPlainText().startsWith(u"first line"_s));
}

void tst_BTextBrowser::highlightAndCursor()
{
    showBrowser(LinkPage);
    QSignalSpy spy(m_browser.get(), &BTextBrowser::highlighted);
    QWidget *viewport = m_browser->viewport();

    QTest::mouseMove(viewport, pointOf(*m_browser, u"first"_s));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);

    QTest::mouseMove(viewport, pointOf(*m_browser, u"alpha"_s, 1));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), u"page.html"_s);
    QCOMPARE(viewport->cursor().shape(), Qt::PointingHandCursor);

    // A link with a target is reported on every movement over it.
    QTest::mouseMove(viewport, pointOf(*m_browser, u"alpha"_s, 2));
    QCOMPARE(spy.count(), 2);

    // Leaving all links reports a null string once.
    QTest::mouseMove(viewport, pointOf(*m_browser, u"first"_s, 2));
    QCOMPARE(spy.count(), 3);
    QVERIFY(spy.at(2).at(0).toString().isNull());
    QCOMPARE(viewport->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(viewport, pointOf(*m_browser, u"first"_s, 3));
    QCOMPARE(spy.count(), 3);

    // A link without target is reported once while the pointer stays on it.
    QTest::mouseMove(viewport, pointOf(*m_browser, u"delta"_s, 1));
    QTest::mouseMove(viewport, pointOf(*m_browser, u"delta"_s, 2));
    QCOMPARE(spy.count(), 4);
    QCOMPARE(spy.at(3).at(0).toString(), u"page.html"_s);
}

void tst_BTextBrowser::selectThenTap()
{
    showBrowser(u"<p>one two three four five</p>"_s);
    QSignalSpy spy(m_browser.get(), &BTextBrowser::dragdClicked);
    QWidget *viewport = m_browser->viewport();
    const int two = positionOf(*m_browser, u"two"_s);

    // Drag over "two three".
    QTest::mousePress(viewport, Qt::LeftButton, {}, charPoint(*m_browser, two) - QPoint(2, 0));
    QVERIFY(m_browser->isSelecting());
    QTest::mouseMove(viewport, pointOf(*m_browser, u"three"_s, 3));
    QTest::mouseMove(viewport, charPoint(*m_browser, positionOf(*m_browser, u" four"_s)) - QPoint(1, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {},
                        charPoint(*m_browser, positionOf(*m_browser, u" four"_s)) - QPoint(1, 0));
    QVERIFY(!m_browser->isSelecting());
    QCOMPARE(m_browser->textCursor().selectedText(), u"two three"_s);
    QCOMPARE(spy.count(), 0);

    // Tap inside: the selected text comes out and the selection stays.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"three"_s, 2));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), u"two three"_s);
    QCOMPARE(m_browser->textCursor().selectedText(), u"two three"_s);

    // Tap outside: the selection goes, nothing is emitted.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"five"_s, 1));
    QCOMPARE(spy.count(), 1);
    QVERIFY(!m_browser->textCursor().hasSelection());
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"three"_s, 2));
    QCOMPARE(spy.count(), 1);

    // Selection over two lines gives plain text with a line break and no image character.
    showBrowser(u"<p>alpha <img src=\"none.png\">beta<br>gamma</p>"_s);
    QTextCursor cursor = m_browser->textCursor();
    cursor.setPosition(positionOf(*m_browser, u"alpha"_s));
    cursor.setPosition(positionOf(*m_browser, u"gamma"_s) + 5, QTextCursor::KeepAnchor);
    m_browser->setTextCursor(cursor);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"beta"_s));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toString(), u"alpha beta\ngamma"_s);
}

void tst_BTextBrowser::doubleClickSelectsWord()
{
    showBrowser(u"<p>one two three</p>"_s);
    QSignalSpy spy(m_browser.get(), &BTextBrowser::dragdClicked);
    QWidget *viewport = m_browser->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"two"_s));
    QCOMPARE(m_browser->textCursor().selectedText(), u"two"_s);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"two"_s));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), u"two"_s);
}

void tst_BTextBrowser::titleMode()
{
    m_browser->setTitleMode(1);
    QCOMPARE(m_browser->titleMode(), 1);
    showBrowser(u"<p>headword pronunciation</p>"_s);
    QSignalSpy spy(m_browser.get(), &BTextBrowser::dragdClicked);
    QWidget *viewport = m_browser->viewport();

    // Dragging selects nothing.
    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"headword"_s, 0));
    QTest::mouseMove(viewport, pointOf(*m_browser, u"pronunciation"_s, 5));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"pronunciation"_s, 5));
    QVERIFY(!m_browser->textCursor().hasSelection());

    // Tapping inside a selection made by the program emits nothing and keeps it.
    QTextCursor cursor = m_browser->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(8, QTextCursor::KeepAnchor);
    m_browser->setTextCursor(cursor);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"headword"_s, 3));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"pronunciation"_s, 3));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(m_browser->textCursor().selectedText(), u"headword"_s);

    // Leaving title mode gives the gestures back.
    m_browser->setTitleMode(0);
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(*m_browser, u"headword"_s, 3));
    QCOMPARE(spy.count(), 1);
}

void tst_BTextBrowser::setTextScrollRule()
{
    QString html;
    for (int i = 0; i < 200; ++i)
        html += u"line %1<br>"_s.arg(i);
    QSignalSpy changed(m_browser.get(), &QTextEdit::textChanged);
    showBrowser(html);
    QVERIFY(changed.count() > 0);
    QScrollBar *bar = m_browser->verticalScrollBar();
    QVERIFY(bar->maximum() > 1000);
    bar->setValue(bar->maximum() / 2);
    const int middle = bar->value();
    const QPoint probe(20, 20);
    const int shownBefore = m_browser->cursorForPosition(probe).block().position();

    // Rendered again without moving: the same lines stay in view.
    changed.clear();
    m_browser->setText(html + u"one more line"_s, QString(), false);
    QVERIFY(changed.count() > 0);
    QCOMPARE(bar->value(), middle);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), middle);
    QCOMPARE(m_browser->cursorForPosition(probe).block().position(), shownBefore);

    // A shorter text can only keep what it reaches.
    m_browser->setText(u"short"_s, QString(), false);
    QCOMPARE(bar->value(), 0);

    // With the third parameter true the top is shown.
    showBrowser(html);
    bar->setValue(bar->maximum() / 2);
    m_browser->setText(html, QString(), true);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), 0);
    QCOMPARE(m_browser->toPlainText().left(6), u"line 0"_s);
}

void tst_BTextBrowser::namedAnchorsScroll()
{
    QString html;
    for (int i = 0; i < 100; ++i)
        html += u"line %1<br>"_s.arg(i);
    html += u"<A NAME=명사></A><img src = \"05.png\"> noun section<br>"_s;
    for (int i = 0; i < 100; ++i)
        html += u"more %1<br>"_s.arg(i);
    showBrowser(html);
    m_browser->scrollToAnchor(u"명사"_s);
    QCoreApplication::processEvents();
    const QRect shown = m_browser->cursorRect(m_browser->document()->find(u"noun section"_s));
    QVERIFY(m_browser->verticalScrollBar()->value() > 0);
    QVERIFY2(m_browser->viewport()->rect().contains(shown.center()), "the anchored line is in view");
}

void tst_BTextBrowser::imagesFromPixmapDir()
{
    QTemporaryDir pics;
    QVERIFY(pics.isValid());
    QVERIFY(QDir(pics.path()).mkdir(u"wordpart"_s));
    writeImage(pics.filePath(u"star.png"_s), QColor(250, 0, 0));
    writeImage(pics.filePath(u"wordpart/01.png"_s), QColor(0, 200, 0));
    const QByteArray saved = qgetenv("LUMI_PIXMAP_DIR");
    qputenv("LUMI_PIXMAP_DIR", pics.path().toLocal8Bit());
    BTextBrowser browser;
    qputenv("LUMI_PIXMAP_DIR", saved);
    browser.resize(300, 100);
    browser.setText(u"<font color = \"red\"><img src = \"star.png\"> </font>word <img src = \"01.png\"> "
                    u"<img src = \"missing.png\">"_s);
    browser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&browser));
    const QImage shot = browser.viewport()->grab().toImage();
    QVERIFY2(containsColor(shot, qRgb(250, 0, 0)), "star.png drawn");
    QVERIFY2(containsColor(shot, qRgb(0, 200, 0)), "wordpart/01.png drawn");
    QVERIFY(browser.searchPaths().contains(pics.path() + u"/wordpart/"_s));
}

void tst_BTextBrowser::sourceDiagnostics()
{
    showBrowser(u"<p>entry text</p>"_s);
    QTest::ignoreMessage(QtWarningMsg, "BTextBrowser: no mimesource for 0@1");
    m_browser->setSource(QUrl(u"0@1"_s));
    QCOMPARE(m_browser->toPlainText(), u"entry text"_s);

    writeFile(m_dir->filePath(u"picture.bin"_s), QByteArray("\x89PNG\0\0\x01\x02", 8));
    QTest::ignoreMessage(QtWarningMsg, "BTextBrowser: cannot decode picture.bin");
    m_browser->setSource(QUrl(u"picture.bin"_s));
    QCOMPARE(m_browser->toPlainText(), u"entry text"_s);

    // A followed page keeps the targets of its links.
    writeFile(m_dir->filePath(u"linked.html"_s),
              "<html><body><a href=\"3@4\" target=\"text\">linked</a> page</body></html>");
    m_browser->setSource(QUrl(u"linked.html"_s));
    QCoreApplication::processEvents();
    QCOMPARE(m_browser->anchorAt(pointOf(*m_browser, u"linked"_s)), u"3@4"_s);
    QCOMPARE(m_browser->anchorAtTarget(pointOf(*m_browser, u"linked"_s)), u"text"_s);
}

void tst_BTextBrowser::linkStyle()
{
    m_browser->setLinkUnderline(false);
    m_browser->setLinkColor(Qt::black);
    showBrowser(u"<a href=\"1@1\" target=\"text\"><font color=#ff0000>1 </font>meaning</a>"_s);
    QTextCursor cursor(m_browser->document());
    cursor.setPosition(positionOf(*m_browser, u"meaning"_s) + 1);
    QVERIFY(!cursor.charFormat().fontUnderline());
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::black));
    cursor.setPosition(1);
    QCOMPARE(cursor.charFormat().foreground().color(), QColor(Qt::red));
}

QTEST_MAIN(tst_BTextBrowser)
#include "tst_btextbrowser.moc"
