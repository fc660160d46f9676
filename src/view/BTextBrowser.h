// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "BTextView.h"

#include <QPoint>
#include <QString>

class QMouseEvent;
class QTextCharFormat;

// The rich-text browser of the entry and preview screens.
//
// What it adds to QTextBrowser:
// - anchors keep a second attribute, `target`, besides `href`; a completed tap on a link with a
//   target emits targetHit(target);
// - a tap follows a link only when press and release hit the same link, and never when its href
//   starts with "@";
// - highlighted(href) on entering a link and highlighted(QString()) on leaving all links, with
//   the pointing-hand cursor over links;
// - setText(text, context, moveToTop) that can keep the scroll position across a re-render;
// - images named in the text ("star.png", "01.png") are looked up in the pixmap directory and
//   its "wordpart/" subdirectory.
//
// Notes on Qt 6's rich text compared with the old-style HTML the renderers write:
// - The HTML importer drops `target`. setText() therefore folds each anchor's target into its
//   href (separated by a noncharacter) before the text is parsed, and afterwards splits it out
//   again into a property of the anchor's character format (TargetProperty), so the document's
//   hrefs stay as written.
// - Qt takes every '<' as the start of a tag: "3 < 4 text" would lose everything after the '<'.
//   A '<' not followed by an ASCII letter, '/', '!' or '?' is written as "&lt;" before parsing,
//   so such text is shown literally.
// - Spaced and unquoted attributes (<img src = "x.png">, <font size=6 color=#0000ff>,
//   <A NAME=명사>) parse as intended and need no normalising.
// - An empty named anchor (<A NAME=명사></A>) carries its name on the next character; the
//   section tabs' scrollToAnchor() still lands on that line.
// - <font size=N> becomes a relative size (N - 3 steps from the widget font): 6 is xx-large,
//   5 x-large.
// - A row span reaching past the table's last row is cut to the rows that exist (the one-row
//   title table of Chinese-Korean entries renders its right cell as one cell of that row).
// - Link colour and underline are switched with setLinkColor()/setLinkUnderline(), which
//   become the document's default style sheet; a <font color> inside a link still wins.
class BTextBrowser : public BTextView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BTextBrowser)
public:
    // Character-format property holding an anchor's target.
    static constexpr int TargetProperty = QTextFormat::UserProperty + 0x4c54;

    explicit BTextBrowser(QWidget *parent = nullptr, const char *name = nullptr);
    ~BTextBrowser() override;

    // The href of the character at a viewport position; empty outside links.
    QString anchorAt(const QPoint &pos) const;
    // The target of the link at a viewport position; empty where the link has none.
    QString anchorAtTarget(const QPoint &pos) const;

    // Replaces the document with the HTML text. With moveToTop the view shows the top of the new
    // text; otherwise the scroll position is kept (as far as the new text reaches), so an entry
    // rendered again after a tap does not jump. A non-empty context names the document the
    // text belongs to; relative image names are resolved against it.
    void setText(const QString &text, const QString &context = QString(), bool moveToTop = true);

    // The HTML as it is handed to Qt's importer: every anchor's target folded into its href, and
    // every '<' that starts no tag written as "&lt;".
    static QString prepareHtml(const QString &html);

Q_SIGNALS:
    void highlighted(const QString &href);
    void targetHit(const QString &target);

protected:
    void viewportMousePressEvent(QMouseEvent *event) override;
    void viewportMouseMoveEvent(QMouseEvent *event) override;
    void viewportMouseReleaseEvent(QMouseEvent *event) override;

    void doSetSource(const QUrl &name, QTextDocument::ResourceType type) override;
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QTextCharFormat charFormatAt(const QPoint &viewportPos) const;
    // Identifies the link under a viewport position: the document position where its run of
    // characters with the same href and target starts, or -1 outside links. The renderers give
    // every expandable sense the same target, so href and target alone cannot tell two links
    // apart.
    int linkAt(const QPoint &viewportPos) const;
    // Moves the targets folded into hrefs by prepareHtml() into TargetProperty.
    void splitTargets();

    QString m_pressedHref;
    QString m_pressedTarget;
    int m_pressedLink = -1;
    QPoint m_pressedGlobalPos;
    QString m_highlightedHref;
};
