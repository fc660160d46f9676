// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
//
// lumi-qcop: sends one QCop message, or listens on a channel and prints what arrives.
//   lumi-qcop CHANNEL MESSAGE [ARG...]     e.g. lumi-qcop QPE/Lumi_Channel "Search(QString)" hello
//   lumi-qcop --listen CHANNEL
// The arguments are packed as the message's signature says: QString or int, one per parameter.
// Exit status: 0 delivered, 1 nobody listens (or, listening, the channel is held by another
// process), 2 bad usage.
#include "QCopChannel.h"
#include "QCopEnvelope.h"
#include "UnixSignalWatcher.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <optional>

namespace {
constexpr int ExitDelivered = 0;
constexpr int ExitNoListener = 1;
constexpr int ExitUsage = 2;

void printLine(FILE *stream, const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int usage(const QString &problem)
{
    printLine(stderr, QStringLiteral("lumi-qcop: ") + problem);
    return ExitUsage;
}

// The parameter types of "Name(T1,T2)"; nullopt when the text is not a signature.
std::optional<QStringList> parameterTypes(const QString &message)
{
    const int open = message.indexOf(QLatin1Char('('));
    if (open <= 0 || !message.endsWith(QLatin1Char(')')))
        return std::nullopt;
    const QString inside = message.mid(open + 1, message.size() - open - 2).trimmed();
    QStringList types;
    if (inside.isEmpty())
        return types;
    const QStringList parts = inside.split(QLatin1Char(','));
    for (const QString &part : parts)
        types << part.trimmed();
    return types;
}

// "Name arg1 arg2" when the data decodes as the signature says, else "Name <N bytes>".
QString describe(const QByteArray &message, const QByteArray &data)
{
    const QString name = QString::fromUtf8(message);
    const auto types = parameterTypes(name);
    const QString undecoded = name + QStringLiteral(" <") + QString::number(data.size()) + QStringLiteral(" bytes>");
    if (!types)
        return undecoded;
    QDataStream stream(data);
    stream.setVersion(QCopEnvelope::StreamVersion);
    QString line = name;
    for (const QString &type : *types) {
        if (type == QLatin1String("QString")) {
            QString value;
            stream >> value;
            line += QLatin1Char(' ') + value;
        } else if (type == QLatin1String("int")) {
            qint32 value = 0;
            stream >> value;
            line += QLatin1Char(' ') + QString::number(value);
        } else {
            return undecoded;
        }
    }
    return stream.status() == QDataStream::Ok && stream.atEnd() ? line : undecoded;
}

int listen(QCoreApplication &app, const QString &channelName)
{
    QCopChannel channel(channelName);
    if (!channel.isValid()) {
        printLine(stderr,
                  QStringLiteral("lumi-qcop: channel ") + channelName + QStringLiteral(" is held by another process"));
        return ExitNoListener;
    }
    QObject::connect(&channel, &QCopChannel::received, &app, [](const QByteArray &message, const QByteArray &data) {
        printLine(stdout, describe(message, data));
    });
    // Ending by a signal removes the channel's socket like any other exit.
    UnixSignalWatcher watcher({SIGTERM, SIGINT, SIGHUP});
    QObject::connect(&watcher, &UnixSignalWatcher::signalReceived, &app, [&app] { app.quit(); });
    return app.exec();
}

int sendMessage(const QStringList &arguments)
{
    const QString &channel = arguments.at(0);
    const QString &message = arguments.at(1);
    const QStringList values = arguments.mid(2);
    const auto types = parameterTypes(message);
    if (!types)
        return usage(QStringLiteral("message must be a signature such as \"Search(QString)\": ") + message);
    if (types->size() != values.size())
        return usage(
                QStringLiteral("%1 takes %2 argument(s), %3 given").arg(message).arg(types->size()).arg(values.size()));

    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setVersion(QCopEnvelope::StreamVersion);
    for (int i = 0; i < values.size(); ++i) {
        const QString &type = types->at(i);
        if (type == QLatin1String("QString")) {
            stream << values.at(i);
        } else if (type == QLatin1String("int")) {
            bool ok = false;
            const int value = values.at(i).toInt(&ok);
            if (!ok)
                return usage(QStringLiteral("not an int: ") + values.at(i));
            stream << qint32(value);
        } else {
            return usage(QStringLiteral("unknown argument type: ") + type);
        }
    }
    return QCopChannel::send(channel, message, data) ? ExitDelivered : ExitNoListener;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() == 2 && arguments.at(0) == QLatin1String("--listen"))
        return listen(app, arguments.at(1));
    if (arguments.size() < 2 || arguments.at(0).startsWith(QLatin1String("--")))
        return usage(QStringLiteral("usage: lumi-qcop CHANNEL MESSAGE [ARG...] | lumi-qcop --listen CHANNEL"));
    return sendMessage(arguments);
}
