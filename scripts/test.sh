#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Lumi developers
# SPDX-License-Identifier: GPL-2.0-or-later
# Builds the project and runs every test. With --sanitize the build uses AddressSanitizer,
# UndefinedBehaviorSanitizer and the libstdc++ assertions, in its own build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=plain
[ "${1:-}" = "--sanitize" ] && mode=sanitize
scripts/deps.sh
jobs=$(nproc)
if [ "$mode" = sanitize ]; then
    dir=build-asan
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMI_SANITIZE=ON -DLUMI_BUILD_BENCH=OFF >/dev/null
else
    dir=build
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$dir" -j"$jobs"

if [ "$mode" = plain ]; then
    echo "== checking the formatting"
    files=$(git ls-files --cached --others --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
        'tools/*.cpp' 'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'skin/*.cpp' 2>/dev/null || true)
    if [ -n "$files" ]; then
        # shellcheck disable=SC2086
        clang-format --dry-run --Werror $files
    fi
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600
