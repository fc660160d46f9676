// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "SkinPixmap.h"

#include "LumiPaths.h"

#include <QCoreApplication>
#include <QHash>

namespace {
struct Cache
{
    QHash<QString, QPixmap> pixmaps;
    bool hooked = false;
};

Cache &cache()
{
    static Cache c;
    return c;
}
} // namespace

QPixmap SkinPixmap::get(const QString &name)
{
    if (name.isEmpty())
        return {};
    Cache &c = cache();
    const auto it = c.pixmaps.constFind(name);
    if (it != c.pixmaps.constEnd())
        return it.value();
    // Pixmaps must not outlive the application object: drop them all when it goes.
    if (!c.hooked && QCoreApplication::instance()) {
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] {
            cache().pixmaps.clear();
            cache().hooked = false;
        });
        c.hooked = true;
    }
    QPixmap pixmap;
    if (!pixmap.load(LumiPaths::pixmap(name)))
        pixmap = QPixmap();
    c.pixmaps.insert(name, pixmap);
    return pixmap;
}

void SkinPixmap::clear()
{
    cache().pixmaps.clear();
}
