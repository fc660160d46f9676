// SPDX-FileCopyrightText: 2026 Lumi developers
// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QString>

// The program's fixed locations. The device paths are the defaults; the environment variables
// LUMI_DATA_DIR, LUMI_SETTINGS_FILE and LUMI_PIXMAP_DIR override them so that the desktop, the
// tests and the device all work. Directories always end with "/".
namespace LumiPaths {
QString dataDir(); // "/mnt/hd/Lumi/Data/"
QString settingsFile(); // "/mnt/hd/Lumi/dicset.ini"
QString pixmapDir(); // "/opt/Qtopia/pics/Lumi/"
// pixmapDir() + name, for the program's own pictures.
QString pixmap(const QString &name);
} // namespace LumiPaths
