#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumi developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the program, prepares the demo data, pixmap and settings folders inside the checkout and
# starts the program on them. Without a display it runs on Qt's VNC platform at 480 x 272.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMI_BUILD_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

# The dictionaries are built from open data on the first start (several minutes) and reused after.
if ! scripts/build-data.sh demo/data; then
    echo "== some dictionaries could not be built; the program starts with those that were" >&2
fi
export LUMI_DATA_DIR=${LUMI_DATA_DIR:-$top/demo/data/}
export LUMI_SETTINGS_FILE=${LUMI_SETTINGS_FILE:-$top/demo/dicset.ini}
export LUMI_PIXMAP_DIR=${LUMI_PIXMAP_DIR:-$top/build/pics/}

if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    port=${LUMI_VNC_PORT:-5900}
    export QT_QPA_PLATFORM="vnc:size=480x272:port=$port"
    echo "== no display: Lumi runs on VNC; connect a viewer to localhost:$port (for example: vncviewer localhost:$port)"
fi
exec build/src/app/lumi "$@"
