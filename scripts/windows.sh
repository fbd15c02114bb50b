#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# The Windows build: Spektrion cross-compiled with MinGW-w64 against a static Qt
# (built once per machine by build-qt.sh), into build/windows, packed as
# build/windows/spektrion-<version>-win64.zip. Needs the host's release build for
# the pictures rendered at build time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/windows

qt=$(bash "$root/scripts/build-qt.sh" win64)
if [[ ! -f $out/build.ninja ]]; then
  cmake -G Ninja -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DSPEKTRION_HOST_IMAGES_DIR="$root/build/images" >/dev/null
fi
cmake --build "$out"
