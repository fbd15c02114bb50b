#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# The inside of orca_test.sh, run on its X server and session bus.
# Usage: orca_session.sh BUILD_DIR TESTS_DIR WORK_DIR
set -euo pipefail
build=$1 here=$2 work=$3
spoken=$work/spoken.txt

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# What was said after byte `from` of the file, the texts run together as heard.
said_since() {
  tail -c +$(($1 + 1)) "$spoken" 2>/dev/null | tr '\n' ' '
}
said_so_far() {
  stat -c %s "$spoken" 2>/dev/null || echo 0
}
# Waits up to `seconds` for `text` to be said after byte `from`.
hear() {
  local from=$1 text=$2 seconds=$3
  for ((i = 0; i < seconds * 5; i++)); do
    [[ $(said_since "$from") == *"$text"* ]] && return 0
    sleep 0.2
  done
  fail "not heard within ${seconds} s: $text"
}
key() {
  xdotool key "$1"
  sleep 0.4
}
window_of() {
  timeout 15 xdotool search --sync --onlyvisible --name "$1" | head -n 1
}
focus() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + 5)) $((Y + 5)) windowfocus --sync "$1"
}

# Whatever this session started ends with it, and is waited for: an Orca left
# unreaped would keep the next one from starting. orca_test.sh sweeps up the rest.
# Orca, told to stop, says goodbye through daemons that are stopping too and hangs
# until its own ten-second watchdog kills it: it is killed at once.
orca=
stop() {
  local started
  [[ -z $orca ]] || kill -KILL "$orca" 2>/dev/null || true
  started=$(jobs -p)
  [[ -z $started ]] && return
  # shellcheck disable=SC2086 # a list of process ids
  kill $started 2>/dev/null || true
  wait
}
trap stop EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
speech-dispatcher -s -t 0 -C "$XDG_CONFIG_HOME/speech-dispatcher" -L "$work" >/dev/null 2>&1 &
for ((i = 0; i < 50; i++)); do
  [[ -S $XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock ]] && break
  sleep 0.2
done
[[ -S $XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock ]] || fail "speech-dispatcher did not start"
# Orca will not start while another of this user's runs anywhere on the machine.
for ((i = 0; i < 100; i++)); do
  pgrep -u "$(id -u)" -x orca >/dev/null || break
  sleep 0.5
done
pgrep -u "$(id -u)" -x orca >/dev/null && fail "another Orca of this user is running"
orca --debug-file "$work/orca-debug.txt" >/dev/null 2>&1 &
orca=$!
hear 0 "Screen reader on" 60

# The quiz. Its first task asks for names; "триплет", the second in every list, is
# always wrong for M, whose name has two words, so the verdict is known beforehand.
# A list is opened to choose in it: Orca reads the names passed in an open list, and
# says nothing while arrows change the choice in a closed one.
from=$(said_so_far)
"$build/bin/spektrion-quiz" >/dev/null 2>&1 &
quiz=$!
window=$(window_of "^Spektrion перевірка знань")
focus "$window"
# The heading tells the system the task is about.
hear "$from" "Завдання 1 з 10. Назвіть мультиплети. Виберіть під кожним сигналом назву його мультиплету. Система A" 20
for _ in 1 2 3; do
  key Tab
  key alt+Down
  key Down
  key Return
done
from=$(said_so_far)
key Return
hear "$from" "Неправильно. Сигнал " 20
hear "$from" "Сигнал M, ваша відповідь — триплет. " 10
verdict=$(/usr/bin/python3 "$here/atspi_read.py" --name "Неправильно.")
hear "$from" "$verdict" 10
# The next task shows a spectrum and asks for the system; the heading reads it out.
from=$(said_so_far)
key Return
hear "$from" "Завдання 2 з 10. Яка це система? " 20
hear "$from" "Сигнал X, " 10
from=$(said_so_far)
key Tab
hear "$from" "A, кількість протонів не задано. push button" 10
# Space sets A's size without a word from Orca (the name's change reaches it as an
# object, not a text); "where am I", the keypad's Enter, reads the new size.
key space
from=$(said_so_far)
key KP_Enter
hear "$from" "A, один протон. push button" 10
kill $quiz
wait $quiz 2>/dev/null || true

# The simulator: its chart has the focus from the start, and says the state and its
# spectrum.
from=$(said_so_far)
"$build/bin/spektrion" >/dev/null 2>&1 &
simulator=$!
window=$(window_of "^Spektrion навчальний")
focus "$window"
description="Система A2 M2 X2, J AM більша за J MX. Сигнал X, триплет, 1, 2, 1. Сигнал M, \
триплет триплетів, 1, 2, 1, 2, 4, 2, 1, 2, 1. Сигнал A, триплет, 1, 2, 1."
hear "$from" "Змодельований ПМР спектр" 20
hear "$from" "$description" 10
# "Where am I" on the keypad's Enter: the chart again, with its spectrum.
from=$(said_so_far)
key KP_Enter
hear "$from" "$description" 20
kill $simulator
wait $simulator 2>/dev/null || true
