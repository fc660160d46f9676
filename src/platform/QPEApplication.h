// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QApplication>

class UnixSignalWatcher;

// The application object. When the process is asked to end (SIGTERM, SIGINT, SIGHUP) it emits
// flush() from the event loop instead of dying, so the program leaves the way it always does.
// It also maps the device's font families "Tamsa", "gulim" and "KVN-EXT" onto installed Korean
// and CJK families, so those names can be used as they are.
class QPEApplication : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QPEApplication)
public:
    QPEApplication(int &argc, char **argv);
    ~QPEApplication() override;

    static void registerFontSubstitutions();

signals:
    void flush();

private:
    UnixSignalWatcher *m_signalWatcher = nullptr; // child
};
