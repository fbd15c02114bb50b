#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing Spektrion need.
# Runs apt-get only when something is missing, so a second run costs a dpkg query.
#   install-deps.sh            what `make run` and `make test` need
#   install-deps.sh windows    and the Windows cross build and Wine
#   install-deps.sh web        and the browser build and Chromium
#   install-deps.sh fresh      and debootstrap, for scripts/fresh-check.sh
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev qt6-qpa-plugins
  fonts-liberation2 fonts-dejavu-core fontconfig
  googletest libgtest-dev libbenchmark-dev libeigen3-dev
  libxcb1-dev
  xvfb xauth xdotool x11-utils imagemagick strace
  desktop-file-utils appstream dpkg-dev
  lintian reuse help2man po4a man-db poppler-utils qt6-svg-dev librsvg2-bin
  at-spi2-core python3-pyatspi dbus orca speech-dispatcher
  locales
)
case "${1:-}" in
  "") ;;
  windows)
    # The cross compiler and Qt's source (apt-get source needs dpkg-dev), Wine on
    # Xvfb for the tests, zip and unzip for the download, wixl and msitools (with
    # Python for the script around them) for the installer; git to clone the tree
    # that `make reproducible` builds again, diffoscope to explain a rebuild that differs.
    packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 zip unzip xz-utils
      wixl msitools python3 git diffoscope-minimal)
    ;;
  web)
    # Emscripten (with the acorn module its optimiser needs), Qt's source as for
    # Windows, Chromium and Firefox (with Mesa's software GL) for the tests, zip, brotli
    # and Python (the one-file page) for the site.
    packages+=(emscripten node-acorn chromium firefox-esr libgl1-mesa-dri zip brotli python3 xz-utils)
    command -v npm >/dev/null || packages+=(nodejs npm)
    ;;
  fresh)
    packages+=(debootstrap git)
    ;;
  *)
    echo "install-deps.sh: unknown group '$1'" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

# The users' locale, where the tests run the programs too: a bare Debian has none
# but C.UTF-8.
has_ukrainian() { locale -a 2>/dev/null | grep -qix 'uk_UA.utf8'; }

[[ ${#missing[@]} -eq 0 ]] && has_ukrainian && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing packages (${missing[*]}); run this as root or install sudo." >&2
    exit 1
  fi
  sudo=(sudo)
fi
if ! has_ukrainian && [[ ${#missing[@]} -eq 0 ]]; then
  "${sudo[@]}" localedef -i uk_UA -c -f UTF-8 uk_UA.UTF-8
  exit 0
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
has_ukrainian || "${sudo[@]}" localedef -i uk_UA -c -f UTF-8 uk_UA.UTF-8
# fontconfig's system caches as the packages left them may not be valid for the faces
# just installed; then the first program that asks for a font rebuilds them, writing
# under /var/cache (and, where it may not, complaining on its standard error). Brought
# up to date here, once, so that no program or test run does it. Not under the
# Makefile's SOURCE_DATE_EPOCH: fontconfig 2.14 then writes caches that no later
# run, with or without it, takes as valid.
if command -v fc-cache >/dev/null; then
  "${sudo[@]}" env -u SOURCE_DATE_EPOCH fc-cache --system-only --force
fi
