#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# pack-zip.sh ZIP DIR EPOCH [PATH...]: the files under DIR (or under the PATHs in
# DIR) into ZIP, named relative to DIR; the same bytes from the same files: names in
# byte order, every file's time EPOCH (seconds since 1970; DOS times are local, so in
# UTC), modes rw-r--r-- or rwxr-xr-x whatever the umask was, no extra fields with
# owners or further times, no directory entries.
set -euo pipefail
zip=$(realpath -m "$1")
epoch=$3
cd "$2"
shift 3
[[ $# -gt 0 ]] || set -- .
rm -f "$zip"
find "$@" -type f -exec chmod u=rwX,go=rX {} + -exec touch -h -d "@$epoch" {} +
find "$@" -type f | sed 's|^\./||' | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 "$zip" -@
