// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QHash>
#include <QObject>

class QLocalServer;
class QLocalSocket;

// A local socket server that reads length-prefixed frames (a big-endian quint32 byte count, then
// the payload) from any number of clients, and the matching one-shot sender. A client may send
// several frames on one connection; a frame announcing more than MaxFrameSize bytes ends that
// connection, and a frame cut short by the client's disconnection is dropped. What the payload
// means is up to the owner (QCopChannel, DcSocket).
class LocalFrameServer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LocalFrameServer)
public:
    static constexpr quint32 MaxFrameSize = 16 * 1024 * 1024;

    enum class SendResult {
        Delivered, // the whole frame is in the listener's socket
        NoListener, // no socket file, or nobody accepts on it (a stale file)
        Failed // connected, but the frame could not be written in time
    };

    explicit LocalFrameServer(QObject *parent = nullptr);
    ~LocalFrameServer() override;

    // Listens on the socket file `path`. Answers false when the file exists (live or stale) or
    // cannot be created; the caller decides whether to replace it.
    bool listen(const QString &path);
    bool isListening() const;

    static QByteArray frame(const QByteArray &payload);
    // Connects to `path`, writes one frame and disconnects, waiting at most about `timeoutMs`
    // for the connection and again for the write.
    static SendResult sendFrame(const QString &path, const QByteArray &payload, int timeoutMs);
    // True when a process accepts connections on `path`.
    static bool isAlive(const QString &path, int timeoutMs);

signals:
    void frameReceived(const QByteArray &payload);

private:
    void acceptConnections();
    void readFrames(QLocalSocket *socket);
    void dropConnection(QLocalSocket *socket);

    QLocalServer *m_server = nullptr;
    QHash<QLocalSocket *, QByteArray> m_pending; // bytes received but not yet a whole frame
};
