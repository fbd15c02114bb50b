#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# translate-man.sh ENGLISH.1 UK.po OUT.1: the Ukrainian manual page, made by po4a from
# the English one and the translation of its every paragraph, so that the two cannot
# drift: a paragraph changed in English and not yet in UK.po stops the build. The
# heading (name, date, version) is the English page's, which po4a is not given.
set -euo pipefail
english=$1
po=$2
out=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
heading=$(grep -m 1 '^\.TH ' "$english")
sed '/^\.TH /c .TH PAGE 1' "$english" >"$work/page.1"
po4a-translate -f man -m "$work/page.1" -p "$po" -l "$work/uk.1" -k 100 -M UTF-8 -L UTF-8 >/dev/null 2>&1 || true
if [[ ! -f $work/uk.1 ]]; then
  echo "translate-man.sh: $po does not translate every paragraph of $english; bring it up to date" \
       "(po4a-updatepo -f man -m PAGE -p $po, with the heading replaced by '.TH PAGE 1')" >&2
  exit 1
fi
awk -v heading="${heading/User Commands/Команди користувача}" \
  '/^\.TH PAGE 1/ { print heading; next } { print }' "$work/uk.1" >"$out"
