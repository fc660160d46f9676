// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "BTextBrowser.h"

class QTreeWidgetItem;

// The search screen's preview pane. A double click opens the entry (the search screen treats it
// like a double click on the word list) instead of selecting a word, and the pointer moving over
// the text does nothing: no link highlighting, no drag selection.
class PreViewTextBrowser final : public BTextBrowser
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PreViewTextBrowser)
public:
    explicit PreViewTextBrowser(QWidget *parent = nullptr, const char *name = nullptr);
    ~PreViewTextBrowser() override;

Q_SIGNALS:
    // Always carries a null item: the pane has no item of its own.
    void signalMouseDoubleClickedPreViewTextBrowser(QTreeWidgetItem *item);

protected:
    void viewportMouseDoubleClickEvent(QMouseEvent *event) override;
    void viewportMouseMoveEvent(QMouseEvent *event) override;
};
