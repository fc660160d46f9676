// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "UnixSignalWatcher.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {
// Written by the signal handler, so plain ints: -1 while no watcher is active.
volatile sig_atomic_t s_writeFd = -1;
bool s_taken = false;

extern "C" void writeSignalToPipe(int signalNumber)
{
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    const int fd = s_writeFd;
    if (fd >= 0) {
        const ssize_t written = ::write(fd, &byte, 1);
        static_cast<void>(written); // a full pipe already holds a pending wake-up
    }
    errno = savedErrno;
}
} // namespace

struct UnixSignalWatcher::Private
{
    int fds[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr; // child of the watcher
    std::vector<std::pair<int, struct sigaction>> previous;
};

UnixSignalWatcher::UnixSignalWatcher(const QList<int> &signalNumbers, QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    if (s_taken || ::pipe2(d->fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    s_taken = true;
    s_writeFd = d->fds[1];
    d->notifier = new QSocketNotifier(d->fds[0], QSocketNotifier::Read, this);
    connect(d->notifier, &QSocketNotifier::activated, this, &UnixSignalWatcher::drainPipe);

    for (const int signalNumber : signalNumbers) {
        struct sigaction action
        {
        };
        action.sa_handler = writeSignalToPipe;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        struct sigaction old
        {
        };
        if (::sigaction(signalNumber, &action, &old) == 0)
            d->previous.emplace_back(signalNumber, old);
    }
}

UnixSignalWatcher::~UnixSignalWatcher()
{
    if (!d->notifier)
        return;
    for (const auto &[signalNumber, old] : d->previous)
        ::sigaction(signalNumber, &old, nullptr);
    s_writeFd = -1;
    delete d->notifier;
    ::close(d->fds[0]);
    ::close(d->fds[1]);
    s_taken = false;
}

bool UnixSignalWatcher::isActive() const
{
    return d->notifier != nullptr;
}

void UnixSignalWatcher::drainPipe()
{
    unsigned char bytes[64];
    for (;;) {
        const ssize_t count = ::read(d->fds[0], bytes, sizeof bytes);
        if (count <= 0)
            return;
        for (ssize_t i = 0; i < count; ++i)
            emit signalReceived(bytes[i]);
    }
}
