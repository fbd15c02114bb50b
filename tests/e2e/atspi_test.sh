#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# What a screen reader (Orca) hears of the chart, read for real over AT-SPI: on a
# private X server and session bus with the accessibility bus running, the chart's
# description is the state and its spectrum in words for the ear at start-up and again
# after a click on A.
# Usage: atspi_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# Made from what --describe prints for sizes A,M,X with J(AM) > J(MX): the formula
# first, then a sentence a line, the colons read as commas.
spoken() {
  local -a n
  IFS=, read -ra n <<<"$1"
  printf 'Система A%s M%s X%s, J AM більша за J MX.' "${n[@]}"
  "$build/bin/spektrion-snapshot" --describe --sizes "$1" | sed -e 's/ : /, /g; s/: /, /; s/^/ Сигнал /; s/$/./' | tr -d '\n'
}
expected_start=$(spoken 2,2,2)
expected_after=$(spoken 3,2,2)
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
result=$(xvfb-run -a -s '-screen 0 1024x768x24' dbus-run-session -- bash -s "$build" "$here" 2>/dev/null <<'INNER'
build=$1 here=$2
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
# As when a screen reader is running: the toolkit then serves the accessibility bus.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$build/bin/spektrion" >/dev/null 2>&1 &
pid=$!
window=$(timeout 10 xdotool search --sync --onlyvisible --name "^Spektrion" | head -n 1)
/usr/bin/python3 "$here/atspi_read.py" "Змодельований ПМР спектр"
echo "--"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 204)) $((Y + 20)) mousedown 1 mouseup 1
sleep 0.5
/usr/bin/python3 "$here/atspi_read.py" "Змодельований ПМР спектр"
kill $pid
INNER
)
if [[ $result == "$expected_start"$'\n'"--"$'\n'"$expected_after" ]]; then
  echo "1 passed, 0 failed"
else
  echo "FAIL: over AT-SPI the chart said:"
  echo "$result"
  echo "0 passed, 1 failed"
  exit 1
fi
