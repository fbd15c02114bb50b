#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# Builds a static Qt for a cross target, once per machine, from Debian's own
# qt6-base source, and prints its install prefix. The prefix lives in the
# user's cache, keyed by the Qt version and a hash of the configure options,
# so `make clean` keeps it and a change of options builds a new one.
#
#   scripts/build-qt.sh win64   # MinGW-w64, Windows platform plugin
#   scripts/build-qt.sh wasm    # emscripten, single-threaded
set -euo pipefail

target=${1:?usage: build-qt.sh win64|wasm}
root=$(cd "$(dirname "$0")/.." && pwd)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/spektrion"
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}

# What neither program uses: leaving it out keeps the executables small and
# the build short.
common=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
  -DFEATURE_testlib=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON
  -DFEATURE_fontconfig=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF
  -DFEATURE_textmarkdownwriter=OFF -DFEATURE_mimetype_database=OFF
  -DFEATURE_sessionmanager=OFF -DFEATURE_optimize_size=ON
)

case "$target" in
  win64)
    options=("${common[@]}"
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
      # OpenGL is not used; the Windows plugin then also needs dynamicgl off.
      -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
      # Debian's source leaves out the Wintab headers this needs.
      -DFEATURE_tabletevent=OFF)
    ;;
  wasm)
    # Emscripten's JavaScript optimiser needs acorn, which Debian keeps here.
    export NODE_PATH=/usr/share/nodejs
    options=("${common[@]}"
      -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
      -DFEATURE_thread=OFF
      # The WebAssembly plugin does not compile without Qt's OpenGL support.
      -DFEATURE_opengl=ON)
    ;;
  *)
    echo "build-qt.sh: unknown target '$target' (win64 or wasm)" >&2
    exit 2
    ;;
esac

# The key names what the build depends on, not where the checkout is: paths into the
# checkout are left out, and so are the comments of the toolchain file.
key=$(printf '%s\n' "$version" "${options[@]//$root/}" "$(grep -v '^#' "$root/cmake/mingw-w64-x86_64.cmake")" \
  | sha256sum | cut -c1-12)
prefix="$cache/qt-$upstream-$target-static-$key"

if [[ -f "$prefix/.complete" ]]; then
  echo "$prefix"
  exit 0
fi

src=$(bash "$root/scripts/qt-source.sh")
build="$cache/build/qt-$target-$key"
log="$cache/build/qt-$target-$key.log"
mkdir -p "$build"
echo "Building Qt $upstream for $target once for this machine (log: $log)" >&2

{
  [[ -f "$build/build.ninja" ]] ||
    cmake -G Ninja -S "$src" -B "$build" -DCMAKE_INSTALL_PREFIX="$prefix" "${options[@]}"
  cmake --build "$build" --parallel "$(nproc)"
  cmake --install "$build"
} >"$log" 2>&1 || {
  echo "build-qt.sh: building Qt for $target failed; the end of $log:" >&2
  tail -n 30 "$log" >&2
  exit 1
}
touch "$prefix/.complete"
rm -rf "$build"
echo "$prefix"
