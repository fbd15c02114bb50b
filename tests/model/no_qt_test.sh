#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# The layers keep to their libraries. The model builds and is tested without Qt: no
# Qt on the compile lines of the model library or its tests, and no Qt library linked
# into the model's test program. With `display`: the display builds and is tested with
# Qt Gui alone, no Qt Widgets. With `words`: the wording builds without Qt, and the
# model's tests, which use it, link none.
# Usage: no_qt_test.sh BUILD_DIR [display|words]
set -euo pipefail
build=$1
layer=${2:-model}
fail() { echo "FAIL: $*" >&2; exit 1; }

tests=${layer}_tests
case $layer in
  model) forbidden='-DQT_|/qt6' library='libQt' ;;
  words) forbidden='-DQT_|/qt6' library='libQt' tests=model_tests ;;
  display) forbidden='-DQT_WIDGETS_LIB|/QtWidgets' library='libQt6Widgets' ;;
  *) fail "unknown layer '$layer'" ;;
esac
commands=$(grep -E '"command"' "$build/compile_commands.json" | grep -E "/($layer|tests/$layer)/[^ ]*\.cpp\"" || true)
[[ -n $commands ]] || fail "no compile command for the $layer in $build/compile_commands.json"
if grep -qE -- "$forbidden" <<<"$commands"; then
  fail "a $layer compile line has what it must not: $forbidden"
fi
linked=$(ldd "$build/bin/$tests")
if grep -qi "$library" <<<"$linked"; then
  fail "$tests links $library"
fi
echo "1 passed, 0 failed"
