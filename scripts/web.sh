#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# The browser build: Spektrion compiled to WebAssembly with Debian's emscripten
# against a static, single-threaded Qt (built once per machine by build-qt.sh), into
# build/web-build; the static site in build/web, the same page as one file in
# build/spektrion.html, and both in build/spektrion-web-<version>.zip.
# Needs the host's release build for the pictures rendered at build time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/web-build
qt=$(bash "$root/scripts/build-qt.sh" wasm)

# Qt's CMake learns emscripten's version through an emsdk folder, which Debian does
# not have: a small one stands in, pointing at Debian's emscripten.
emsdk=$root/build/web-emsdk
mkdir -p "$emsdk/upstream/emscripten"
ln -sfn /usr/bin/emcc "$emsdk/upstream/emscripten/emcc"
ln -sfn /usr/share/emscripten/cmake "$emsdk/upstream/emscripten/cmake"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" >"$emsdk/.emscripten"
export EMSDK=$emsdk
# Emscripten's JavaScript optimiser needs acorn, which Debian keeps here.
export NODE_PATH=/usr/share/nodejs

if [[ ! -f $out/build.ninja ]]; then
  "$qt/bin/qt-cmake" -G Ninja -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DSPEKTRION_HOST_IMAGES_DIR="$root/build/images" >/dev/null
fi
cmake --build "$out"

# The site: the page, Qt's loader, the program; nothing a plain file server cannot serve.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
site=$root/build/web
rm -rf "$site"
mkdir -p "$site"
cp "$root/packaging/web/index.html" "$out/bin/qtloader.js" "$out/bin/spektrion.js" "$out/bin/spektrion.wasm" "$site/"
cp "$root/LICENSE" "$site/LICENSE.txt"
cp "$root/packaging/windows/fonts-licence.txt" "$site/fonts-licence.txt"
# The same page as one file, for a folder, a USB stick or a download: no server needed.
python3 "$root/scripts/one-file-page.py" "$site" "$root/build/spektrion.html"
# The guide in Ukrainian, which the page's menu links; the one-file page links it in
# the site beside it.
cp -r "$root/docs/uk" "$site/uk"
# Compressed copies for hosts that send them as they are (Content-Encoding), made after
# the one-file page so that it does not carry them.
for file in spektrion.wasm spektrion.js; do
  gzip -9 -n -f -k "$site/$file"
  brotli -q 11 -f -k "$site/$file"
done

# The bare Qt window on the same page and loader, the floor of the page's start-up
# (make web-test); in no download.
floor=$root/build/web-baseline
rm -rf "$floor"
mkdir -p "$floor"
sed "s/loadEmscriptenModule('spektrion')/loadEmscriptenModule('baseline_window')/" \
  "$root/packaging/web/index.html" >"$floor/index.html"
grep -q "loadEmscriptenModule('baseline_window')" "$floor/index.html" ||
  { echo "web.sh: the page no longer loads its program as expected" >&2; exit 1; }
cp "$out/bin/qtloader.js" "$out/bin/baseline_window.js" "$out/bin/baseline_window.wasm" "$floor/"
for file in baseline_window.wasm baseline_window.js; do
  brotli -q 11 -f -k "$floor/$file"
done

# The zip: the one-file page and a README at the top, the site in web/.
pack=$root/build/web-pack
rm -rf "$pack"
mkdir -p "$pack"
cp -r "$site" "$pack/web"
cp "$root/build/spektrion.html" "$pack/"
sed "s/@VERSION@/$version/" "$root/packaging/web/README.txt" | sed 's/$/\r/' >"$pack/README.txt"
zip=$root/build/spektrion-web-$version.zip
epoch=${SOURCE_DATE_EPOCH:-$(bash "$root/scripts/release-epoch.sh")}
bash "$root/scripts/pack-zip.sh" "$zip" "$pack" "$epoch"
echo "$site and $zip"
