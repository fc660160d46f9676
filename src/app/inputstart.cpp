// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "inputstart.h"

#include "LumiPaths.h"
#include "lumistart.h"

#include <QPainter>
#include <QTimer>

CInputStart::CInputStart(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags, char **argv)
    : QDialog(parent, flags)
    , m_argv(argv)
    , m_flags(flags)
    , m_logo(LumiPaths::pixmap(QStringLiteral("Logo_CRV.png")))
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setModal(modal);
    resize(480, 272);
    setWindowTitle(QStringLiteral("Start Dic"));
    QTimer::singleShot(LogoMilliseconds, this, &CInputStart::slotDrawLogoEnd);
}

CInputStart::~CInputStart() = default;

void CInputStart::slotDrawLogoEnd()
{
    auto *mainWindow = new LumiStart(this, nullptr, true, m_flags, m_argv);
    mainWindow->exec();
    delete mainWindow;
}

void CInputStart::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!m_logo.isNull())
        p.drawPixmap((width() - m_logo.width()) / 2, (height() - m_logo.height()) / 2, m_logo);
}
