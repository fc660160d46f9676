// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "EditCtrl.h"

#include "EditCtrlStyle.h"
#include "Global.h"

#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

EditCtrl::EditCtrl(QWidget *parent, const char *name)
    : QLineEdit(parent)
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    auto *style = new EditCtrlStyle;
    style->setParent(this);
    setStyle(style);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
}

EditCtrl::~EditCtrl()
{
    setStyle(nullptr);
}

void EditCtrl::EditCtrl_SetRange(int x, int y, int width, int height)
{
    setGeometry(x, y, width, height);
}

void EditCtrl::EditCtrl_SetGuideText(const QString &text)
{
    m_guideText = text;
    update();
}

void EditCtrl::EditCtrl_SetUseAutoKeyboard(int use)
{
    m_autoKeyboard = use;
}

void EditCtrl::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    if (!isGuideShown())
        return;
    QPainter p(this);
    p.setPen(EditCtrlStyle::guideColor());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect().adjusted(7, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, m_guideText);
}

void EditCtrl::focusOutEvent(QFocusEvent *event)
{
    if (m_autoKeyboard) {
        puts("focusOutEvent : KeyBoard Hide");
        fflush(stdout);
        Global::hideInputMethod();
    }
    QLineEdit::focusOutEvent(event);
}

void EditCtrl::mousePressEvent(QMouseEvent *event)
{
    if (m_autoKeyboard && hasFocus()) {
        puts("mousePressEvent : KeyBoard Show");
        fflush(stdout);
        Global::showInputMethod();
    }
    QLineEdit::mousePressEvent(event);
}

void EditCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (hasFocus()) {
        clear();
        event->accept();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}
