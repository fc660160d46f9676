// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QColor>
#include <QTextBrowser>

class QMouseEvent;

// The text-view base of the entry browsers. It owns the pointer gestures on the text: a drag
// selects character by character, a tap inside the current selection hands the selected text
// out through dragdClicked() (the second half of the "select, then tap" word lookup), and in
// title mode the pointer does nothing at all.
//
// The Qt event handlers are routed to the viewport* handlers below, so subclasses override
// those (as the browser and the preview pane do) and everything else of QTextBrowser (layout,
// painting, keys, history) stays as Qt provides it.
class BTextView : public QTextBrowser
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BTextView)
public:
    explicit BTextView(QWidget *parent = nullptr, const char *name = nullptr);
    ~BTextView() override;

    // 1 = title mode: no selection, no dragdClicked; any other value is the normal view.
    void setTitleMode(int mode);
    int titleMode() const { return m_titleMode; }

    // Room kept around the text area, as the entry screen lays out its title (negative values
    // let the text area reach into the frame).
    void setMargins(int left, int top, int right, int bottom);

    // Link colour and underline of <a href> text, applied to every text set afterwards. Qt's
    // rich text has no such switches, so they become the document's default style sheet.
    void setLinkUnderline(bool underline);
    bool linkUnderline() const { return m_linkUnderline; }
    void setLinkColor(const QColor &color);
    QColor linkColor() const { return m_linkColor; }

    // True between a press that started a selection and the release that ends it.
    bool isSelecting() const { return m_selecting; }

Q_SIGNALS:
    void dragdClicked(const QString &text);

protected:
    virtual void viewportMousePressEvent(QMouseEvent *event);
    virtual void viewportMouseMoveEvent(QMouseEvent *event);
    virtual void viewportMouseReleaseEvent(QMouseEvent *event);
    virtual void viewportMouseDoubleClickEvent(QMouseEvent *event);

    // Document position of a viewport point (nearest character boundary).
    int documentPositionAt(const QPoint &viewportPos) const;
    void mousePressEvent(QMouseEvent *event) final;
    void mouseMoveEvent(QMouseEvent *event) final;
    void mouseReleaseEvent(QMouseEvent *event) final;
    void mouseDoubleClickEvent(QMouseEvent *event) final;

private:
    void updateLinkStyle();
    // Moves the text cursor without the scrolling QTextEdit does to keep the cursor in view.
    void setTextCursorInPlace(const QTextCursor &cursor);

    int m_titleMode = 0;
    bool m_selecting = false;
    bool m_pressedInSelection = false;
    bool m_linkUnderline = true;
    QColor m_linkColor;
};
