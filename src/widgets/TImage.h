// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

class QByteArray;

// A picture handed to a control (`ButCtrl_SetImage`, `TextCtrl_SetImage`, `TableCtrl_SetImage`):
// a pixmap file of the pixmap directory, a pixmap, or encoded image bytes (the stroke pictures
// of the data layer). Controls copy what they are given; the caller keeps its TImage.
class TImage final
{
public:
    TImage() = default;
    // Loads `fileName` from the pixmap directory (shared with every other user of that file).
    explicit TImage(const QString &fileName);
    explicit TImage(const QPixmap &pixmap);

    // Decodes PNG, JPEG, BMP or GIF bytes; a null image when they cannot be decoded.
    static TImage fromData(const QByteArray &data);

    bool isNull() const { return m_pixmap.isNull(); }
    QString fileName() const { return m_fileName; }
    QPixmap pixmap() const { return m_pixmap; }
    int width() const { return m_pixmap.width(); }
    int height() const { return m_pixmap.height(); }

private:
    QString m_fileName;
    QPixmap m_pixmap;
};
