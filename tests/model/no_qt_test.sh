#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# The model builds and is tested without Qt: no Qt on the compile lines of the model
# library or its tests, and no Qt library linked into the model's test program.
# Usage: no_qt_test.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

commands=$(grep -E '"command"' "$build/compile_commands.json" | grep -E '/(model|tests/model)/[^ ]*\.cpp"' || true)
[[ -n $commands ]] || fail "no compile command for the model in $build/compile_commands.json"
if grep -qE -- '-DQT_|/qt6' <<<"$commands"; then
  fail "Qt appears on a model compile line"
fi
linked=$(ldd "$build/bin/model_tests")
if grep -qi 'libQt' <<<"$linked"; then
  fail "model_tests links Qt"
fi
echo "1 passed, 0 failed"
