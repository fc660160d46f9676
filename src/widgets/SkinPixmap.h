// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// The program's shared pictures. A pixmap file named without a directory is loaded from the
// pixmap directory on first use and kept until the application object goes away; a missing or
// unreadable file gives a null pixmap (looked up once), so callers fall back to plain drawing.
class SkinPixmap final
{
public:
    SkinPixmap() = delete;

    // The picture `name` ("find.png", "wordpart/01.png"); null when it cannot be loaded.
    static QPixmap get(const QString &name);
    // Forgets every loaded picture (tests that change the pixmap directory use it).
    static void clear();
};
