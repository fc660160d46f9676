// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#include "LumiPaths.h"

#include <QtGlobal>

namespace {
QString fromEnv(const char *name, const QString &fallback, bool isDir)
{
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        return fallback;
    if (isDir && !value.endsWith(QLatin1Char('/')))
        value += QLatin1Char('/');
    return value;
}
} // namespace

namespace LumiPaths {
QString dataDir()
{
    return fromEnv("LUMI_DATA_DIR", QStringLiteral("/mnt/hd/Lumi/Data/"), true);
}

QString settingsFile()
{
    return fromEnv("LUMI_SETTINGS_FILE", QStringLiteral("/mnt/hd/Lumi/dicset.ini"), false);
}

QString pixmapDir()
{
    return fromEnv("LUMI_PIXMAP_DIR", QStringLiteral("/opt/Qtopia/pics/Lumi/"), true);
}

QString pixmap(const QString &name)
{
    return pixmapDir() + name;
}
} // namespace LumiPaths
