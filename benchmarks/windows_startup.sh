#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# `make windows-bench`: the start-up of spektrion.exe under Wine beside the Linux
# program's and beside a bare Qt window built against the same static Qt for Windows
# (Wine's own floor), launched in turn on one private X server (startup_bench --wine).
# Usage: windows_startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/spektrion/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
zip=$(ls "$build"/windows/spektrion-*-win64.zip | head -n 1)
unzip -q "$zip" -d "$work"
wineserver -p 60
mkdir -p "$build/bench"
# Stripped as the download's programs are, for a fair size beside them.
baseline="$work/baseline_window.exe"
x86_64-w64-mingw32-strip -o "$baseline" "$build/windows/bin/baseline_window.exe"
"$build/bin/startup_bench" --program "$build/bin/spektrion" --wine "$work/spektrion.exe" \
  --wine-baseline "$baseline" --out "$build/bench/windows.json" --runs "${2:-11}"
echo "spektrion.exe: $(stat -c %s "$work/spektrion.exe") bytes; baseline_window.exe: $(stat -c %s "$baseline") bytes;" \
  "$(basename "$zip"): $(stat -c %s "$zip") bytes"
