// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "TImage.h"

#include "SkinPixmap.h"

#include <QByteArray>

TImage::TImage(const QString &fileName)
    : m_fileName(fileName)
    , m_pixmap(SkinPixmap::get(fileName))
{ }

TImage::TImage(const QPixmap &pixmap)
    : m_pixmap(pixmap)
{ }

TImage TImage::fromData(const QByteArray &data)
{
    QPixmap pixmap;
    if (data.isEmpty() || !pixmap.loadFromData(data))
        return {};
    return TImage(pixmap);
}
