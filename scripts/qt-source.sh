#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# Unpacks Debian's own qt6-base source, the exact version of the installed
# qt6-base-dev, into the cache and prints its directory. The cross builds use
# the host's moc, rcc and uic, which only serve a Qt of the same version.
# Adds deb-src entries mirroring the machine's deb entries when there are none.
set -euo pipefail

cache="${XDG_CACHE_HOME:-$HOME/.cache}/spektrion"
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
src="$cache/src/qtbase-$upstream"

if [[ -f "$src/.unpacked" ]]; then
  echo "$src"
  exit 0
fi

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "Adding deb-src entries for the machine's Debian suites" >&2
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [[ -f "$f" ]] && sed -n '/^Types:/,/^$/p' "$f" | sed 's/^Types: deb$/Types: deb-src/'
      echo
    done
  } | awk '/^Types: deb-src$/ {keep=1} /^Types: deb$/ {keep=0} keep' \
    | "${sudo[@]}" tee /etc/apt/sources.list.d/spektrion-deb-src.sources >/dev/null
  if [[ -f /etc/apt/sources.list ]]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      | "${sudo[@]}" tee /etc/apt/sources.list.d/spektrion-deb-src.list >/dev/null
  fi
  "${sudo[@]}" apt-get update -q >&2
fi

mkdir -p "$cache/src"
work=$(mktemp -d "$cache/src/fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source --download-only -q "qt6-base=$version" >&2 &&
  dpkg-source --no-check -x ./*.dsc qtbase >&2)
rm -rf "$src"
mv "$work/qtbase" "$src"
touch "$src/.unpacked"
echo "$src"
