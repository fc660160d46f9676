// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
//
// lumi-audio-peer: another audio program on the audio message socket, for people and tests.
//
//   lumi-audio-peer [--port N] [--silent] [--reply-after MS] [--send CMD [--after MS]]...
//
// Joins the socket on port N (default 11894) and prints every text it receives on standard
// output, one line each, as it arrives. Commands (anything but "OK") are answered with "OK",
// at once or MS milliseconds later with --reply-after; --silent never answers. Each --send
// sends CMD (for instance "PAUSE", "RESUME", "STOP") once, MS milliseconds after joining (0 by
// default). Every line typed on standard input is sent too. Notes go to standard error:
// "lumi-audio-peer: joined port N" once it can be reached, "lumi-audio-peer: sent CMD to N"
// for every send. SIGTERM, SIGINT and SIGHUP end it cleanly.
#include "DcSocket.h"
#include "UnixSignalWatcher.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr quint16 DefaultPort = 11894;

void printLine(FILE *stream, const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

void sendAndNote(DcSocket &socket, const QString &text)
{
    const int reached = socket.send(text);
    printLine(stderr, QStringLiteral("lumi-audio-peer: sent %1 to %2").arg(text).arg(reached));
}

int usage(const QString &problem)
{
    printLine(stderr, QStringLiteral("lumi-audio-peer: ") + problem);
    printLine(stderr, QStringLiteral("usage: lumi-audio-peer [--port N] [--silent] [--reply-after MS] "
                                     "[--send CMD [--after MS]]..."));
    return 2;
}

bool toNumber(const QString &text, int max, int *value)
{
    bool ok = false;
    *value = text.toInt(&ok);
    return ok && *value >= 0 && *value <= max;
}

struct Scheduled
{
    QString text;
    int afterMs = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int port = DefaultPort;
    bool silent = false;
    int replyAfterMs = 0;
    QList<Scheduled> sends;

    const QStringList arguments = app.arguments().mid(1);
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (option == QLatin1String("--silent")) {
            silent = true;
            continue;
        }
        if (i + 1 >= arguments.size())
            return usage(option + QStringLiteral(" needs a value"));
        const QString &value = arguments.at(++i);
        if (option == QLatin1String("--port")) {
            if (!toNumber(value, 65535, &port) || port == 0)
                return usage(QStringLiteral("bad port: ") + value);
        } else if (option == QLatin1String("--reply-after")) {
            if (!toNumber(value, 3600000, &replyAfterMs))
                return usage(QStringLiteral("bad delay: ") + value);
        } else if (option == QLatin1String("--send")) {
            if (value.isEmpty())
                return usage(QStringLiteral("--send needs a command"));
            sends.append({value, 0});
        } else if (option == QLatin1String("--after")) {
            if (sends.isEmpty())
                return usage(QStringLiteral("--after follows a --send"));
            if (!toNumber(value, 3600000, &sends.last().afterMs))
                return usage(QStringLiteral("bad delay: ") + value);
        } else {
            return usage(QStringLiteral("unknown option: ") + option);
        }
    }

    DcSocket socket(quint16(port), &app);
    if (!socket.isListening()) {
        printLine(stderr, QStringLiteral("lumi-audio-peer: cannot join port %1").arg(port));
        return 1;
    }

    QObject::connect(&socket, &DcSocket::received, &app, [&](const QString &text) {
        printLine(stdout, text);
        // Acknowledgements are never acknowledged, or two peers would answer each other forever.
        if (silent || text == QLatin1String("OK"))
            return;
        if (replyAfterMs == 0)
            sendAndNote(socket, QStringLiteral("OK"));
        else
            QTimer::singleShot(replyAfterMs, &app, [&socket] { sendAndNote(socket, QStringLiteral("OK")); });
    });

    for (const Scheduled &send : std::as_const(sends))
        QTimer::singleShot(send.afterMs, &app, [&socket, text = send.text] { sendAndNote(socket, text); });

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
            const QString line = QString::fromLocal8Bit(input.left(newline)).trimmed();
            input.remove(0, newline + 1);
            if (!line.isEmpty())
                sendAndNote(socket, line);
        }
    });

    UnixSignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&watcher, &UnixSignalWatcher::signalReceived, &app, &QCoreApplication::quit);
    printLine(stderr, QStringLiteral("lumi-audio-peer: joined port %1").arg(port));
    return app.exec();
}
