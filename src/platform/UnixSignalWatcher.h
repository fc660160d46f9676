// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QList>
#include <QObject>

#include <memory>

class QSocketNotifier;

// Turns Unix signals into a Qt signal delivered by the event loop. The handler only writes the
// signal number into a pipe (the self-pipe trick); a socket notifier on the other end emits
// signalReceived(). One watcher per process: a second one stays inactive. The previous handlers
// come back when the watcher is destroyed.
class UnixSignalWatcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UnixSignalWatcher)
public:
    explicit UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    bool isActive() const;

signals:
    void signalReceived(int signalNumber);

private:
    void drainPipe();

    struct Private;
    std::unique_ptr<Private> d;
};
