// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "DcSocket.h"

#include "LocalEndpoints.h"
#include "LocalFrameServer.h"

#include <QAtomicInt>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocalServer>
#include <QMutex>
#include <QMutexLocker>

#include <cerrno>
#include <csignal>
#include <unistd.h>

// A participant's socket file is named "<pid>-<serial>", which tells a stale file (its process is
// gone) from one whose owner is merely slow to accept. A message is a QDataStream (version
// Qt 5.15) of the magic number and the text.
namespace {
constexpr quint32 Magic = 0x44435354; // "DCST"
constexpr QDataStream::Version WireVersion = QDataStream::Qt_5_15;

QMutex &registryMutex()
{
    static QMutex mutex;
    return mutex;
}

// The participants living in this process, by socket path.
QHash<QString, DcSocket *> &registry()
{
    static QHash<QString, DcSocket *> participants;
    return participants;
}

QByteArray encodeText(const QString &text)
{
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream.setVersion(WireVersion);
    stream << Magic << text;
    return payload;
}

bool decodeText(const QByteArray &payload, QString *text)
{
    QDataStream stream(payload);
    stream.setVersion(WireVersion);
    quint32 magic = 0;
    stream >> magic;
    if (magic != Magic)
        return false;
    stream >> *text;
    return stream.status() == QDataStream::Ok && stream.atEnd();
}

// The process id in a participant name, or 0 when the name is not one of ours.
pid_t ownerOf(const QString &name)
{
    const int dash = name.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return 0;
    bool pidOk = false;
    bool serialOk = false;
    const qlonglong pid = QStringView(name).left(dash).toLongLong(&pidOk);
    static_cast<void>(QStringView(name).mid(dash + 1).toUInt(&serialOk));
    return pidOk && serialOk && pid > 0 ? static_cast<pid_t>(pid) : 0;
}

bool processExists(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}
} // namespace

DcSocket::DcSocket(quint16 port, QObject *parent)
    : QObject(parent)
    , m_port(port)
    , m_directory(LocalEndpoints::dcSocketDirectory(port))
    , m_server(new LocalFrameServer(this))
{
    static QAtomicInt serial;
    m_name = QString::number(::getpid()) + QLatin1Char('-') + QString::number(serial.fetchAndAddRelaxed(1));
    const QString path = m_directory + m_name;
    // A file of this name can only be left by an earlier process that had our process id.
    if (!m_server->listen(path)) {
        QLocalServer::removeServer(path);
        m_server->listen(path);
    }
    if (!m_server->isListening())
        return;
    connect(m_server, &LocalFrameServer::frameReceived, this, &DcSocket::handleFrame);
    QMutexLocker locker(&registryMutex());
    registry().insert(path, this);
}

DcSocket::~DcSocket()
{
    QMutexLocker locker(&registryMutex());
    registry().remove(m_directory + m_name);
}

quint16 DcSocket::port() const
{
    return m_port;
}

bool DcSocket::isListening() const
{
    return m_server->isListening();
}

int DcSocket::send(const QString &text)
{
    const QByteArray payload = encodeText(text);
    const QStringList names
            = QDir(m_directory).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    int reached = 0;
    for (const QString &name : names) {
        const pid_t owner = ownerOf(name);
        if (name == m_name || owner == 0)
            continue;
        const QString path = m_directory + name;
        {
            QMutexLocker locker(&registryMutex());
            if (DcSocket *local = registry().value(path)) {
                QMetaObject::invokeMethod(
                        local, [local, text] { emit local->received(text); }, Qt::QueuedConnection);
                ++reached;
                continue;
            }
        }
        switch (LocalFrameServer::sendFrame(path, payload, PeerTimeoutMs)) {
        case LocalFrameServer::SendResult::Delivered:
            ++reached;
            break;
        case LocalFrameServer::SendResult::NoListener:
            // A participant that died without leaving (ours would be in the registry).
            if (owner == ::getpid() || !processExists(owner))
                QFile::remove(path);
            break;
        case LocalFrameServer::SendResult::Failed:
            break;
        }
    }
    return reached;
}

void DcSocket::handleFrame(const QByteArray &payload)
{
    QString text;
    if (decodeText(payload, &text))
        emit received(text);
}
