// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "QCopEnvelope.h"

#include "QCopChannel.h"

#include <QBuffer>

QCopEnvelope::QCopEnvelope(const QString &channel, const QString &message)
    : m_channel(channel)
    , m_message(message)
    , m_buffer(std::make_unique<QBuffer>())
{
    m_buffer->open(QIODevice::WriteOnly);
    setDevice(m_buffer.get());
    setVersion(StreamVersion);
}

QCopEnvelope::~QCopEnvelope()
{
    setDevice(nullptr);
    QCopChannel::send(m_channel, m_message, m_buffer->data());
}
