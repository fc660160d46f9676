// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "PreViewTextBrowser.h"

#include <QMouseEvent>

PreViewTextBrowser::PreViewTextBrowser(QWidget *parent, const char *name)
    : BTextBrowser(parent, name)
{ }

PreViewTextBrowser::~PreViewTextBrowser() = default;

void PreViewTextBrowser::viewportMouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT signalMouseDoubleClickedPreViewTextBrowser(nullptr);
}

void PreViewTextBrowser::viewportMouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}
