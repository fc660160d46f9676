// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "QCopChannel.h"

#include "LocalEndpoints.h"
#include "LocalFrameServer.h"

#include <QDataStream>
#include <QHash>
#include <QLocalServer>
#include <QLockFile>
#include <QMutex>
#include <QMutexLocker>

// Wire format of one message, inside a frame: a QDataStream (version Qt 5.15) holding the magic
// number, the message name as UTF-8 bytes and the argument data.
namespace {
constexpr quint32 Magic = 0x51434F50; // "QCOP"
constexpr QDataStream::Version WireVersion = QDataStream::Qt_5_15;
constexpr int ConnectTimeoutMs = 1000;
constexpr int RegisterLockTimeoutMs = 5000;

QMutex &registryMutex()
{
    static QMutex mutex;
    return mutex;
}

// The channels registered by this process.
QHash<QString, QCopChannel *> &registry()
{
    static QHash<QString, QCopChannel *> channels;
    return channels;
}

QByteArray encodeMessage(const QByteArray &message, const QByteArray &data)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(WireVersion);
    stream << Magic << message << data;
    return payload;
}

bool decodeMessage(const QByteArray &payload, QByteArray *message, QByteArray *data)
{
    QDataStream stream(payload);
    stream.setVersion(WireVersion);
    quint32 magic = 0;
    stream >> magic;
    if (magic != Magic)
        return false;
    stream >> *message >> *data;
    return stream.status() == QDataStream::Ok && stream.atEnd() && !message->isEmpty();
}
} // namespace

QCopChannel::QCopChannel(const QString &channel, QObject *parent)
    : QObject(parent)
    , m_channel(channel)
{
    if (!registerChannel()) {
        delete m_server;
        m_server = nullptr;
        return;
    }
    connect(m_server, &LocalFrameServer::frameReceived, this, &QCopChannel::handleFrame);
}

QCopChannel::~QCopChannel()
{
    if (!m_server)
        return;
    QMutexLocker locker(&registryMutex());
    registry().remove(m_channel);
}

bool QCopChannel::registerChannel()
{
    if (m_channel.isEmpty())
        return false;
    QMutexLocker locker(&registryMutex());
    if (registry().contains(m_channel))
        return false;

    const QString path = LocalEndpoints::qcopSocketPath(m_channel);
    // Processes registering at the same moment take turns, so that one cannot mistake the
    // other's half-made socket for a stale one and replace it. A lock left by a killed process is
    // recognised by its process id.
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(RegisterLockTimeoutMs))
        return false;

    m_server = new LocalFrameServer(this);
    if (!m_server->listen(path)) {
        if (LocalFrameServer::isAlive(path, ConnectTimeoutMs))
            return false; // held by a live process
        QLocalServer::removeServer(path);
        if (!m_server->listen(path))
            return false;
    }
    registry().insert(m_channel, this);
    return true;
}

QString QCopChannel::channel() const
{
    return m_channel;
}

bool QCopChannel::isValid() const
{
    return m_server != nullptr;
}

bool QCopChannel::isRegistered(const QString &channel)
{
    {
        QMutexLocker locker(&registryMutex());
        if (registry().contains(channel))
            return true;
    }
    return !channel.isEmpty() && LocalFrameServer::isAlive(LocalEndpoints::qcopSocketPath(channel), ConnectTimeoutMs);
}

bool QCopChannel::send(const QString &channel, const QString &message, const QByteArray &data)
{
    if (channel.isEmpty() || message.isEmpty())
        return false;
    const QByteArray name = message.toUtf8();
    {
        QMutexLocker locker(&registryMutex());
        if (QCopChannel *local = registry().value(channel)) {
            QMetaObject::invokeMethod(
                    local, [local, name, data] { emit local->received(name, data); }, Qt::QueuedConnection);
            return true;
        }
    }
    const QString path = LocalEndpoints::qcopSocketPath(channel);
    return LocalFrameServer::sendFrame(path, encodeMessage(name, data), ConnectTimeoutMs)
           == LocalFrameServer::SendResult::Delivered;
}

void QCopChannel::handleFrame(const QByteArray &payload)
{
    QByteArray message;
    QByteArray data;
    if (!decodeMessage(payload, &message, &data))
        return; // garbled or foreign: dropped
    emit received(message, data);
}
