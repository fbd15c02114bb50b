#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# The release's time in seconds since 1970: the date of the changelog's newest entry.
# Every file packed into a download carries it (as SOURCE_DATE_EPOCH for the tools),
# so that a rebuild gives the same bytes.
set -euo pipefail
changelog=$(dirname "$0")/../packaging/changelog.in
stamp=$(sed -n 's/^ -- .*  \([A-Z][a-z][a-z], .*\)$/\1/p;T;q' "$changelog")
[[ -n $stamp ]] || { echo "release-epoch.sh: no date in the changelog's first trailer line" >&2; exit 1; }
date -u -d "$stamp" +%s
