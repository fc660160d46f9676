// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class LocalFrameServer;

// A named message channel between the processes of this machine. Registering a channel is
// exclusive: while a live process (this one included) holds it, another QCopChannel for the same
// name is invalid and receives nothing. A socket left behind by a process that died without
// cleaning up is recognised (nobody accepts on it) and taken over.
class QCopChannel : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QCopChannel)
public:
    explicit QCopChannel(const QString &channel, QObject *parent = nullptr);
    ~QCopChannel() override;

    QString channel() const;
    // False when another live process (or another QCopChannel of this one) holds the channel.
    bool isValid() const;

    static bool isRegistered(const QString &channel);
    // Sends one message; answers false (without error output) when nobody listens. A listener in
    // this process gets the message through the event loop, never from inside send().
    static bool send(const QString &channel, const QString &message, const QByteArray &data);

signals:
    void received(const QByteArray &message, const QByteArray &data);

private:
    bool registerChannel();
    void handleFrame(const QByteArray &payload);

    QString m_channel;
    LocalFrameServer *m_server = nullptr; // child; null while invalid
};
