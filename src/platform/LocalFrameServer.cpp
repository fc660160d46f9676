// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "LocalFrameServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QtEndian>

LocalFrameServer::LocalFrameServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &LocalFrameServer::acceptConnections);
}

LocalFrameServer::~LocalFrameServer()
{
    // Clients still connected die with the server; they must not call back into a half-destroyed us.
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it)
        it.key()->disconnect(this);
    // Closing removes the socket file, so nobody mistakes it for a live listener.
    m_server->close();
}

bool LocalFrameServer::listen(const QString &path)
{
    return m_server->listen(path);
}

bool LocalFrameServer::isListening() const
{
    return m_server->isListening();
}

QByteArray LocalFrameServer::frame(const QByteArray &payload)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian<quint32>(static_cast<quint32>(payload.size()), bytes.data());
    bytes += payload;
    return bytes;
}

LocalFrameServer::SendResult LocalFrameServer::sendFrame(const QString &path, const QByteArray &payload, int timeoutMs)
{
    if (payload.size() > static_cast<qsizetype>(MaxFrameSize))
        return SendResult::Failed;
    if (!QFileInfo::exists(path))
        return SendResult::NoListener;

    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs)) {
        const auto error = socket.error();
        return error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError
                       ? SendResult::NoListener
                       : SendResult::Failed;
    }
    socket.write(frame(payload));
    QDeadlineTimer deadline(timeoutMs);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())) || deadline.hasExpired())
            break;
    }
    const bool written = socket.bytesToWrite() == 0;
    // Everything written is in the kernel's buffer now and survives our side closing.
    socket.abort();
    return written ? SendResult::Delivered : SendResult::Failed;
}

bool LocalFrameServer::isAlive(const QString &path, int timeoutMs)
{
    if (!QFileInfo::exists(path))
        return false;
    QLocalSocket socket;
    socket.connectToServer(path);
    const bool connected = socket.waitForConnected(timeoutMs);
    socket.abort();
    return connected;
}

void LocalFrameServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        m_pending.insert(socket, QByteArray());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrames(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            // Frames that arrived together with the hang-up are still whole frames.
            readFrames(socket);
            dropConnection(socket);
        });
        readFrames(socket);
    }
}

void LocalFrameServer::readFrames(QLocalSocket *socket)
{
    const auto it = m_pending.find(socket);
    if (it == m_pending.end())
        return;
    it.value() += socket->readAll();

    QPointer<LocalFrameServer> self(this);
    QPointer<QLocalSocket> guard(socket);
    for (;;) {
        QByteArray &buffer = m_pending[socket];
        if (buffer.size() < 4)
            return;
        const quint32 length = qFromBigEndian<quint32>(buffer.constData());
        if (length > MaxFrameSize) {
            // A length this size is garbage or hostile; the rest of the stream cannot be trusted.
            dropConnection(socket);
            return;
        }
        if (static_cast<quint64>(buffer.size()) < 4 + static_cast<quint64>(length))
            return;
        const QByteArray payload = buffer.mid(4, static_cast<qsizetype>(length));
        buffer.remove(0, 4 + static_cast<qsizetype>(length));
        emit frameReceived(payload);
        // A receiver may have destroyed us (or closed the socket) while handling the frame.
        if (!self || !guard || !m_pending.contains(socket))
            return;
    }
}

void LocalFrameServer::dropConnection(QLocalSocket *socket)
{
    if (m_pending.remove(socket) == 0)
        return;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
