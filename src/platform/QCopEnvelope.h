// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QDataStream>
#include <QString>

#include <memory>

class QBuffer;

// One QCop message under construction: stream the arguments into it, and the destructor sends
// them with the message name to the channel (dropped when nobody listens):
//     QCopEnvelope e("QPE/Lumi_Channel", "Search(QString)");
//     e << QString("word");
// The arguments are written with StreamVersion; a receiver reads them with a QDataStream of the
// same version on the received byte array.
class QCopEnvelope : public QDataStream
{
public:
    static constexpr QDataStream::Version StreamVersion = QDataStream::Qt_6_0;

    QCopEnvelope(const QString &channel, const QString &message);
    ~QCopEnvelope();

    QCopEnvelope(const QCopEnvelope &) = delete;
    QCopEnvelope &operator=(const QCopEnvelope &) = delete;

private:
    QString m_channel;
    QString m_message;
    std::unique_ptr<QBuffer> m_buffer;
};
