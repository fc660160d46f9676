// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "QPEApplication.h"

#include "UnixSignalWatcher.h"

#include <QFont>

#include <csignal>

QPEApplication::QPEApplication(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_signalWatcher(new UnixSignalWatcher({SIGTERM, SIGINT, SIGHUP}, this))
{
    connect(m_signalWatcher, &UnixSignalWatcher::signalReceived, this, &QPEApplication::flush);
    registerFontSubstitutions();
}

QPEApplication::~QPEApplication()
{
    // While the event dispatcher still exists; the default handlers come back with it.
    delete m_signalWatcher;
}

void QPEApplication::registerFontSubstitutions()
{
    // Families as fontconfig names them (fonts-nanum, fonts-noto-cjk); the first installed one wins.
    const QStringList korean = {QStringLiteral("NanumGothic"), QStringLiteral("Noto Sans CJK KR")};
    QFont::insertSubstitutions(QStringLiteral("Tamsa"), korean);
    QFont::insertSubstitutions(QStringLiteral("gulim"), korean);
    // Rare Hanja and other CJK characters: the Noto families cover far more of them.
    QFont::insertSubstitutions(QStringLiteral("KVN-EXT"),
                               {QStringLiteral("Noto Sans CJK KR"), QStringLiteral("Noto Sans CJK TC"),
                                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("NanumGothic")});
}
