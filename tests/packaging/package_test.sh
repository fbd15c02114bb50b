#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# `make package`'s Debian package: the right name and dependencies, the files a
# desktop needs, and a program that starts from the unpacked package and shows its
# window on an X server.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/spektrion_*_amd64.deb 2>/dev/null | head -n 1)
[[ -n $deb ]] || fail "no spektrion_<version>_amd64.deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-liberation2; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
[[ $(dpkg-deb -f "$deb" Package) == spektrion ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Architecture) == amd64 ]] || fail "architecture"

listing=$(dpkg-deb -c "$deb")
for path in ./usr/bin/spektrion ./usr/bin/spektrion-quiz ./usr/bin/spektrion-field ./usr/bin/spektrion-snapshot \
            ./usr/bin/spektrion-worksheet ./usr/share/applications/org.spektrion.Spektrion.desktop \
            ./usr/share/applications/org.spektrion.Spektrion.Quiz.desktop \
            ./usr/share/applications/org.spektrion.Spektrion.Field.desktop \
            ./usr/share/metainfo/org.spektrion.Spektrion.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/org.spektrion.Spektrion.png \
            ./usr/share/icons/hicolor/256x256/apps/org.spektrion.Spektrion.png \
            ./usr/share/icons/hicolor/scalable/apps/org.spektrion.Spektrion.svg \
            ./usr/share/man/man1/spektrion.1.gz ./usr/share/man/man1/spektrion-snapshot.1.gz \
            ./usr/share/man/man1/spektrion-worksheet.1.gz ./usr/share/man/man1/spektrion-quiz.1.gz \
            ./usr/share/man/man1/spektrion-field.1.gz \
            ./usr/share/doc/spektrion/copyright ./usr/share/doc/spektrion/changelog.gz \
            ./usr/share/doc/spektrion/uk/index.html ./usr/share/man/uk/man1/spektrion.1.gz \
            ./usr/share/man/uk/man1/spektrion-quiz.1.gz ./usr/share/man/uk/man1/spektrion-field.1.gz \
            ./usr/share/man/uk/man1/spektrion-snapshot.1.gz ./usr/share/man/uk/man1/spektrion-worksheet.1.gz; do
  grep -q " $path\$" <<<"$listing" || fail "the package lacks $path"
done

# Debian's own checker has nothing to say: no error, no warning.
complaints=$(lintian --no-tag-display-limit "$deb" 2>&1 | grep -E '^(E|W):' || true)
[[ -z $complaints ]] || fail "lintian: $complaints"

root=$work/root
dpkg-deb -x "$deb" "$root"
for entry in org.spektrion.Spektrion org.spektrion.Spektrion.Quiz org.spektrion.Spektrion.Field; do
  desktop-file-validate "$root/usr/share/applications/$entry.desktop" || fail "menu entry $entry"
done

# The unpacked program on a private X server: its window comes up.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# No session bus, so that the toolkit starts no daemon of its own that outlives the test.
export DBUS_SESSION_BUS_ADDRESS=disabled:
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  "$1" & pid=$!
  window=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" --name "^Spektrion" | head -n 1)
  geometry=$(xdotool getwindowgeometry "$window" | grep Geometry)
  kill "$pid"
  [[ -n $window && $geometry == *792x521* ]]
' _ "$root/usr/bin/spektrion" || fail "the installed program did not show its window"

# The unpacked snapshot tool writes a picture without any display.
env -u DISPLAY "$root/usr/bin/spektrion-snapshot" --sizes 1,2,3 -o "$work/shot.png" || fail "snapshot"
[[ $(identify -format '%wx%h' "$work/shot.png") == 792x521 ]] || fail "snapshot size"
echo "1 passed, 0 failed"
