#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# A window program's window as it opens, pictured on a private X server (for the
# guide's pictures, which `make screenshot` remakes whenever the windows change):
#   window-picture.sh PROGRAM OUT.png [ARGUMENTS...]
set -euo pipefail
program=$1
out=$2
shift 2
export LC_ALL=C.UTF-8 OUT="$out"
xvfb-run -a -s '-screen 0 1280x800x24' bash -c '
  "$0" "$@" >/dev/null 2>&1 &
  pid=$!
  id=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name "^Spektrion" | head -n 1)
  sleep 1  # the first paint
  import -window "$id" "$OUT"
  kill "$pid"' "$program" "$@"
