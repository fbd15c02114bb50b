#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# Every file of the source states its licence and copyright. Where git can read the
# checkout, reuse lints what it tracks and skips what .gitignore names. A tree that git
# cannot read (unpacked from a download, or on a machine that never had git) is linted
# as a copy without the folders .gitignore names, which hold what was built, not source.
set -euo pipefail
root=$1
if command -v git >/dev/null && git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  exec reuse --root "$root" lint
fi
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
tar -C "$root" --exclude-vcs --exclude-from=<(sed -n 's#^/\(.*\)/$#./\1#p' "$root/.gitignore") -cf - . |
  tar -C "$copy" -xf -
reuse --root "$copy" lint
