// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
//
// lumi-dcpeer: a participant of the audio programs' message socket, for tests and demonstrations.
//   lumi-dcpeer [--port N] [--answer TEXT=REPLY]...
// Joins the socket on port N (default 11894) and prints "joined N" when ready. Every text another
// participant sends is printed as "received TEXT"; when an --answer rule names it, REPLY is sent.
// Each line read from standard input is sent as well. Every send prints "sent TEXT COUNT", COUNT
// being the number of participants reached. SIGTERM, SIGINT and SIGHUP end it cleanly.
#include "DcSocket.h"
#include "UnixSignalWatcher.h"

#include <QCoreApplication>
#include <QHash>
#include <QSocketNotifier>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {
constexpr quint16 DefaultPort = 11894;

void printLine(const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int usage(const QString &problem)
{
    std::fprintf(stderr, "lumi-dcpeer: %s\n", problem.toLocal8Bit().constData());
    return 2;
}

void sendAndReport(DcSocket &socket, const QString &text)
{
    const int reached = socket.send(text);
    printLine(QStringLiteral("sent ") + text + QLatin1Char(' ') + QString::number(reached));
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    quint16 port = DefaultPort;
    QHash<QString, QString> answers;
    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (i + 1 >= arguments.size())
            return usage(QStringLiteral("usage: lumi-dcpeer [--port N] [--answer TEXT=REPLY]..."));
        const QString &value = arguments.at(++i);
        if (option == QLatin1String("--port")) {
            bool ok = false;
            port = value.toUShort(&ok);
            if (!ok || port == 0)
                return usage(QStringLiteral("bad port: ") + value);
        } else if (option == QLatin1String("--answer")) {
            const int equals = value.indexOf(QLatin1Char('='));
            if (equals <= 0)
                return usage(QStringLiteral("an answer rule reads TEXT=REPLY: ") + value);
            answers.insert(value.left(equals), value.mid(equals + 1));
        } else {
            return usage(QStringLiteral("unknown option: ") + option);
        }
    }

    DcSocket socket(port);
    if (!socket.isListening())
        return usage(QStringLiteral("cannot join port ") + QString::number(port));
    QObject::connect(&socket, &DcSocket::received, &app, [&socket, &answers](const QString &text) {
        printLine(QStringLiteral("received ") + text);
        const auto answer = answers.constFind(text);
        if (answer != answers.constEnd())
            sendAndReport(socket, answer.value());
    });

    QByteArray input;
    QSocketNotifier stdinNotifier(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&stdinNotifier, &QSocketNotifier::activated, &app, [&] {
        char bytes[4096];
        const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
        if (count <= 0) {
            stdinNotifier.setEnabled(false); // end of input: keep listening
            return;
        }
        input.append(bytes, count);
        int newline;
        while ((newline = input.indexOf('\n')) >= 0) {
            const QString line = QString::fromLocal8Bit(input.left(newline));
            input.remove(0, newline + 1);
            sendAndReport(socket, line);
        }
    });

    UnixSignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&watcher, &UnixSignalWatcher::signalReceived, &app, [&app] { app.quit(); });
    printLine(QStringLiteral("joined ") + QString::number(port));
    return app.exec();
}
