#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# `make reproducible`: the release files built once more, from a fresh clone of the
# committed tree in another folder, later, in another time zone and with another
# umask, must be the same bytes as this tree's: the Debian package, the Windows zip
# and the installer. Where they are not, diffoscope says why, into build/reproducible.
# Usage: reproducible.sh (after `make package windows` in this tree)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/reproducible
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(bash "$root/scripts/release-epoch.sh")}
if [[ -n $(git -C "$root" status --porcelain --untracked-files=no) ]]; then
  echo "reproducible.sh: the tree has uncommitted changes; the clone would build something else" >&2
  exit 2
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/CMakeCache.txt")
files=(
  "spektrion_${version}_amd64.deb"
  "windows/spektrion-$version-win64.zip"
  "windows/spektrion-$version-win64.msi"
)
for file in "${files[@]}"; do
  [[ -f $root/build/$file ]] || { echo "reproducible.sh: no build/$file; run make package windows" >&2; exit 2; }
done

rm -rf "$out"
mkdir -p "$out"
clone=$out/another/folder/spektrion
git clone -q "$root" "$clone"
echo "Building the release files again in $clone"
(
  cd "$clone"
  umask 0002
  export TZ=Pacific/Kiritimati
  # The same commands, without the tests.
  cmake --preset release -DBUILD_TESTING=OFF >/dev/null
  make package windows >/dev/null
)

differing=0
for file in "${files[@]}"; do
  if cmp -s "$root/build/$file" "$clone/build/$file"; then
    echo "same bytes: $file"
  else
    differing=$((differing + 1))
    report=$out/$(basename "$file").diffoscope.txt
    diffoscope --text "$report" "$root/build/$file" "$clone/build/$file" >/dev/null 2>&1 || true
    echo "DIFFERENT: $file (diffoscope: $report)"
    head -n 40 "$report"
  fi
done
[[ $differing -eq 0 ]] && rm -rf "$clone"
exit $((differing > 0))
