#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# `cmake --install` into a fresh prefix puts in place what a desktop needs: the menu
# entry and the AppStream metainfo pass their validators, the icons read on light and
# dark menus, the manual pages show, and every place names the same version.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
src=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }

for exe in spektrion spektrion-quiz spektrion-field spektrion-snapshot spektrion-worksheet; do
  [[ -x $prefix/bin/$exe ]] || fail "bin/$exe is not installed"
done

desktop=$prefix/share/applications/org.spektrion.Spektrion.desktop
metainfo=$prefix/share/metainfo/org.spektrion.Spektrion.metainfo.xml
[[ -f $desktop ]] || fail "no menu entry"
[[ -f $metainfo ]] || fail "no metainfo"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
quiz_entry=$prefix/share/applications/org.spektrion.Spektrion.Quiz.desktop
desktop-file-validate "$quiz_entry" || fail "desktop-file-validate rejects the quiz's menu entry"
grep -qx 'Exec=spektrion-quiz' "$quiz_entry" || fail "the quiz's Exec does not start spektrion-quiz"
field_entry=$prefix/share/applications/org.spektrion.Spektrion.Field.desktop
desktop-file-validate "$field_entry" || fail "desktop-file-validate rejects the field window's menu entry"
grep -qx 'Exec=spektrion-field' "$field_entry" || fail "the field window's Exec does not start spektrion-field"
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
  # Legible on a light and on a dark menu: laid on either, the picture still varies
  # (yellow letters alone on white vary by 0.03).
  for ground in white '#303030'; do
    spread=$(convert "$icon" -background "$ground" -flatten -colorspace gray \
      -format '%[fx:standard_deviation]' info:)
    awk -v s="$spread" 'BEGIN { exit !(s > 0.2) }' ||
      fail "${size}px icon on $ground: grey levels vary by only $spread"
  done
done
svg=$prefix/share/icons/hicolor/scalable/apps/org.spektrion.Spektrion.svg
[[ -f $svg ]] || fail "no scalable icon"
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$svg" || fail "the SVG icon is not well-formed"
grep -q '<path' "$svg" || fail "the SVG icon draws nothing"

for page in spektrion spektrion-quiz spektrion-field spektrion-snapshot spektrion-worksheet; do
  file=$prefix/share/man/man1/$page.1.gz
  [[ -f $file ]] || fail "no manual page for $page"
  text=$(MANWIDTH=80 man -l "$file" 2>&1) || fail "man cannot show $page(1)"
  grep -q "^NAME" <<<"$text" || fail "$page(1) has no NAME section"
  # And in Ukrainian, where the users' locale asks for it.
  [[ -f $prefix/share/man/uk/man1/$page.1.gz ]] || fail "no Ukrainian manual page for $page"
  text=$(LC_ALL=uk_UA.UTF-8 MANPATH="$prefix/share/man" MANWIDTH=80 man "$page" 2>&1) || fail "man cannot show $page(1) in Ukrainian"
  grep -q "^НАЗВА" <<<"$text" || fail "$page(1) does not answer in Ukrainian under uk_UA.UTF-8"
done
# The guide in Ukrainian with every picture it shows.
guide=$prefix/share/doc/spektrion/uk
for file in $(cd "$src/docs/uk" && ls); do
  cmp -s "$src/docs/uk/$file" "$guide/$file" || fail "the guide's $file is not installed"
done
# The companion tools' pages are written from their --help: every option is in them.
for tool in spektrion-snapshot spektrion-worksheet; do
  page=$(MANWIDTH=200 man -l "$prefix/share/man/man1/$tool.1.gz" 2>/dev/null)
  for option in $("$prefix/bin/$tool" --help | grep -oE '^  -[-a-z]+|, --[a-z]+' | tr -d ' ,'); do
    grep -q -- "$option" <<<"$page" || fail "$tool(1) lacks $option"
  done
done
[[ $("$prefix/bin/spektrion-snapshot" --version) == "spektrion-snapshot $(sed -n 's/^spektrion (\(.*\)).*/\1/p;q' "$src/packaging/changelog.in")" ]] ||
  fail "spektrion-snapshot --version does not print the release's version"
grep -q "<release version=\"$("$prefix/bin/spektrion-snapshot" --version | cut -d' ' -f2)\"" "$metainfo" ||
  fail "the metainfo's release is not the program's version"
[[ -f $prefix/share/doc/spektrion/copyright && -f $prefix/share/doc/spektrion/changelog.gz ]] ||
  fail "no copyright or changelog in share/doc/spektrion"
echo "1 passed, 0 failed"
