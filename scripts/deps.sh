#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumi developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the Debian packages the build, the program and the tests need, when any is missing.
set -euo pipefail
packages=(
    build-essential cmake pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libgl-dev
    qt6-qpa-plugins
    libsqlite3-dev sqlite3 libmpg123-dev
    fonts-nanum fonts-noto-cjk
    clang-format
    espeak-ng lame sox
    "$@"
)
missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]})); then
    echo "== installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
