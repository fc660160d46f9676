// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QObject>
#include <QString>

class LocalFrameServer;

// The message socket shared by the audio programs of this machine. Every participant on the
// same port hears what any other participant sends, never its own messages. Each participant
// listens on its own socket file in a per-port directory of the runtime directory; send() walks
// that directory and hands the text to each live participant, removing the files of dead ones.
class DcSocket : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DcSocket)
public:
    explicit DcSocket(quint16 port, QObject *parent = nullptr);
    ~DcSocket() override;

    // Delivers `text` to every other live participant on the same port and answers how many it
    // reached (0 when there is nobody). Waits at most PeerTimeoutMs for a connection and again for
    // the write to each peer. Participants in this process get the text through the event loop.
    int send(const QString &text);

    quint16 port() const;
    // False when this participant could not create its socket; it then neither hears nor is counted.
    bool isListening() const;

    static constexpr int PeerTimeoutMs = 250;

signals:
    void received(const QString &text);

private:
    void handleFrame(const QByteArray &payload);

    quint16 m_port;
    QString m_directory;
    QString m_name; // this participant's socket file in m_directory
    LocalFrameServer *m_server = nullptr; // child
};
