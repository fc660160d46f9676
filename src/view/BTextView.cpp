// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "BTextView.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace {
// The selection as plain text: paragraph and line separators become new lines, embedded images
// (U+FFFC) disappear and non-breaking spaces become spaces.
QString plainSelection(const QTextCursor &cursor)
{
    QString text = cursor.selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}
} // namespace

BTextView::BTextView(QWidget *parent, const char *name)
    : QTextBrowser(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
}

BTextView::~BTextView() = default;

void BTextView::setTitleMode(int mode)
{
    m_titleMode = mode;
    if (m_titleMode == 1) {
        m_selecting = false;
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursorInPlace(cursor);
    }
}

void BTextView::setMargins(int left, int top, int right, int bottom)
{
    setViewportMargins(left, top, right, bottom);
}

void BTextView::setLinkUnderline(bool underline)
{
    m_linkUnderline = underline;
    updateLinkStyle();
}

void BTextView::setLinkColor(const QColor &color)
{
    m_linkColor = color;
    updateLinkStyle();
}

void BTextView::updateLinkStyle()
{
    QString rule;
    if (!m_linkUnderline)
        rule += QStringLiteral("text-decoration: none; ");
    if (m_linkColor.isValid())
        rule += QStringLiteral("color: ") + m_linkColor.name() + QStringLiteral("; ");
    document()->setDefaultStyleSheet(rule.isEmpty() ? QString() : QStringLiteral("a { ") + rule + QStringLiteral("}"));
}

int BTextView::documentPositionAt(const QPoint &viewportPos) const
{
    return cursorForPosition(viewportPos).position();
}

void BTextView::setTextCursorInPlace(const QTextCursor &cursor)
{
    const int h = horizontalScrollBar()->value();
    const int v = verticalScrollBar()->value();
    setTextCursor(cursor);
    horizontalScrollBar()->setValue(h);
    verticalScrollBar()->setValue(v);
}

void BTextView::viewportMousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QTextBrowser::mousePressEvent(event);
        return;
    }
    m_pressedInSelection = false;
    if (m_titleMode == 1)
        return;

    const int pos = documentPositionAt(event->position().toPoint());
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() && pos >= cursor.selectionStart() && pos < cursor.selectionEnd()) {
        // Second gesture of the word lookup: the selection stays as it is.
        m_pressedInSelection = true;
        Q_EMIT dragdClicked(plainSelection(cursor));
        return;
    }
    cursor.setPosition(pos);
    setTextCursorInPlace(cursor);
    m_selecting = true;
}

void BTextView::viewportMouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_selecting || m_titleMode == 1)
        return;
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPositionAt(event->position().toPoint()), QTextCursor::KeepAnchor);
    // Plain setTextCursor: QTextEdit scrolls so that the pointer's character stays visible.
    setTextCursor(cursor);
}

void BTextView::viewportMouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QTextBrowser::mouseReleaseEvent(event);
        return;
    }
    if (m_titleMode == 1)
        return;
    if (m_selecting) {
        m_selecting = false;
    } else if (!m_pressedInSelection) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        setTextCursorInPlace(cursor);
    }
    // A tap inside the selection keeps it after the release too, so the word the user looked
    // up stays marked until the entry is rendered again.
    m_pressedInSelection = false;
}

void BTextView::viewportMouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_titleMode == 1)
        return;
    QTextCursor cursor = cursorForPosition(event->position().toPoint());
    cursor.select(QTextCursor::WordUnderCursor);
    setTextCursorInPlace(cursor);
    // The release that follows keeps the word selected, ready for a tap inside it.
    m_selecting = true;
    m_pressedInSelection = false;
}

void BTextView::mousePressEvent(QMouseEvent *event)
{
    viewportMousePressEvent(event);
}

void BTextView::mouseMoveEvent(QMouseEvent *event)
{
    viewportMouseMoveEvent(event);
}

void BTextView::mouseReleaseEvent(QMouseEvent *event)
{
    viewportMouseReleaseEvent(event);
}

void BTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    viewportMouseDoubleClickEvent(event);
}
