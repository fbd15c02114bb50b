#!/usr/bin/env bash
# `cmake --install` into a fresh prefix puts in place what a desktop needs, and the
# menu entry and the AppStream metainfo pass their validators.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

for exe in spektrion spektrion-snapshot; do
  [[ -x $prefix/bin/$exe ]] || fail "bin/$exe is not installed"
done

desktop=$prefix/share/applications/org.spektrion.Spektrion.desktop
metainfo=$prefix/share/metainfo/org.spektrion.Spektrion.metainfo.xml
[[ -f $desktop ]] || fail "no menu entry"
[[ -f $metainfo ]] || fail "no metainfo"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"

grep -qx 'Name=Spektrion' "$desktop" || fail "Name is not Spektrion"
grep -qx 'Categories=Education;Science;Chemistry;' "$desktop" || fail "wrong Categories"
grep -q '^Comment=' "$desktop" || fail "no English comment"
grep -q '^Comment\[uk\]=' "$desktop" || fail "no Ukrainian comment"
grep -qx 'Exec=spektrion' "$desktop" || fail "Exec does not start spektrion"

for size in 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/org.spektrion.Spektrion.png
  [[ -f $icon ]] || fail "no ${size}px icon"
  geometry=$(identify -format '%wx%h' "$icon")
  [[ $geometry == "${size}x${size}" ]] || fail "${size}px icon is $geometry"
  # Yellow capitals on a transparent ground, nothing else.
  colours=$(convert "$icon" -alpha on -format '%c' histogram:info:- | grep -c -v -E '#FFFF00FF|#[0-9A-F]{6}00 ' || true)
  [[ $colours -eq 0 ]] || fail "${size}px icon holds colours other than opaque yellow and transparency"
done
echo "1 passed, 0 failed"
