#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# Two tasks of the quiz in a real window on an X server, answered as a student would
# with the pointer: the first right, its names chosen in the lists; the second wrong,
# the sizes set right by clicks on the letters but the order the other way round.
# The round is random: what each task asks is read from its heading over AT-SPI, as a
# screen reader would, and the right answers come from spektrion-snapshot. After each
# check the chart and the trees on the screen must be what spektrion-snapshot draws for
# the task's state, and the chart must not change while the second task is answered.
# The screenshots stay in BUILD_DIR/tests/quiz-window/ to be looked at.
# Usage: quiz_window_test.sh BUILD_DIR
set -euo pipefail
# xdotool reads the window's Cyrillic title in the locale's encoding, which the C locale
# of a bare machine (no LANG) cannot hold: no window would be found.
export LC_ALL=C.UTF-8
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
shots=$build/tests/quiz-window
rm -rf "$shots" && mkdir -p "$shots"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
xvfb-run -a -s '-screen 0 1280x800x24' dbus-run-session -- bash -s "$build" "$here" "$shots" 2>"$shots/session.err" <<'INNER' && status=0 || status=$?
set -euo pipefail
build=$1 here=$2 shots=$3
fail() {
  echo "FAIL: $*"
  exit 1
}
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$build/bin/spektrion-quiz" >/dev/null 2>&1 &
quiz=$!
trap 'kill $quiz $(jobs -p) 2>/dev/null || true' EXIT
window=$(timeout 15 xdotool search --sync --onlyvisible --name "^Spektrion перевірка знань" | head -n 1) ||
  fail "no window"
xdotool windowfocus --sync "$window"
eval "$(xdotool getwindowgeometry --shell "$window")"
# Places on the window's fixed layout: the letters A, M, X, the order's label, the
# lists under the signals X, M, A, the buttons; the trees' band and the chart.
declare -A at=([A]="204 22" [M]="240 22" [X]="278 22" [order]="446 24" [list0]="148 648"
  [list1]="348 648" [list2]="548 648" [check]="873 646" [next]="1027 646")
click() {
  local -a p
  read -ra p <<<"${at[$1]}"
  xdotool mousemove $((X + p[0])) $((Y + p[1])) click 1
  sleep 0.3
}
heading() {
  /usr/bin/python3 "$here/atspi_read.py" --name "Завдання $1 з 10"
}
# The window's picture; then a part of it must be what spektrion-snapshot drew, pixel
# for pixel, within a few seconds (a loaded machine may take that long to paint).
shoot() {
  import -window "$window" "$shots/$1.png"
}
expect_part() {
  local shot=$1 part=$2 drawn=$3 message=$4 differing i
  for ((i = 0; i < 20; i++)); do
    sleep 0.2
    shoot "$shot"
    convert "$shots/$shot.png" -crop "$part" +repage "$shots/part.png"
    differing=$(compare -metric AE "$shots/part.png" "$drawn" null: 2>&1 || true)
    [[ $differing == 0 ]] && return 0
  done
  fail "$message ($differing pixels differ)"
}
chart=777x408+9+223 trees=777x170+9+52
snapshot() {
  "$build/bin/spektrion-snapshot" --sizes "$1" --order "$2" "${@:3}"
}

# Task 1: the system is in the heading; choose each signal's name from the list of
# twelve, in the order the lists hold them.
names=(дублет триплет квартет "дублет дублетів" "дублет триплетів" "дублет квартетів"
  "триплет дублетів" "триплет триплетів" "триплет квартетів" "квартет дублетів"
  "квартет триплетів" "квартет квартетів")
asked=$(heading 1) || fail "no heading of task 1"
[[ $asked =~ Система\ A([123])\ M([123])\ X([123]),\ J\ AM\ (більша|менша) ]] || fail "task 1 asks: $asked"
sizes=${BASH_REMATCH[1]},${BASH_REMATCH[2]},${BASH_REMATCH[3]}
order='>' && [[ ${BASH_REMATCH[4]} == менша ]] && order='<'
sleep 0.5
shoot task1-asked
[[ $(convert "$shots/task1-asked.png" -crop $trees -format '%[fx:minima]' info:) == 1 ]] ||
  fail "the trees are shown before the check"
position=0
while IFS= read -r line; do
  name=${line#*: } name=${name%%,*}
  for ((k = 0; k < ${#names[@]}; k++)); do [[ ${names[k]} == "$name" ]] && break; done
  ((k < ${#names[@]})) || fail "a name not in the lists: $name"
  click list$position
  keys=(Home)
  for ((i = 0; i < k; i++)); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
  sleep 0.3
  position=$((position + 1))
done < <(snapshot "$sizes" "$order" --describe)
click check
verdict=$(/usr/bin/python3 "$here/atspi_read.py" --name "Правильно") ||
  fail "task 1 ($sizes, $order) answered right, the verdict: $(/usr/bin/python3 "$here/atspi_read.py" --name "Неправильно")"
[[ $verdict == "Правильно." ]] || fail "task 1 ($sizes, $order) answered right, the verdict: $verdict"
snapshot "$sizes" "$order" --chart -o "$shots/chart1.png"
snapshot "$sizes" "$order" --tree -o "$shots/tree1.png"
convert "$shots/tree1.png" -crop 777x170+0+0 +repage "$shots/trees1.png"
expect_part task1-checked $chart "$shots/chart1.png" "task 1: the chart is not the simulator's"
expect_part task1-checked $trees "$shots/trees1.png" "task 1: the trees are not --tree's"

# Task 2: the spectrum is in the heading; find the one state of 54 that gives it.
click next
asked=$(heading 2) || fail "no heading of task 2"
found=()
for a in 1 2 3; do for m in 1 2 3; do for x in 1 2 3; do for o in '>' '<'; do
  wide=X && [[ $o == '>' ]] && wide=A
  spoken=$(snapshot $a,$m,$x "$o" --describe | sed -e 's/^\(.\): [^,]*, /Сигнал \1, /; s/ : /, /g; s/$/./' | tr '\n' ' ')
  [[ $asked == *"$spoken"*"Лінії сигналу $wide стоять ширше"* ]] && found+=("$a,$m,$x $o")
done; done; done; done
((${#found[@]} == 1)) || fail "not one state but ${#found[@]} give the spectrum of task 2: $asked"
read -r sizes order <<<"${found[0]}"
snapshot "$sizes" "$order" --chart -o "$shots/chart2.png"
expect_part task2-asked $chart "$shots/chart2.png" "task 2: the chart is not the simulator's"
# Each size takes as many clicks as protons (from unset: 1, 2, 3); the order's label
# takes one click for ">", two for "<": here the other one.
IFS=, read -r a m x <<<"$sizes"
for ((i = 0; i < a; i++)); do click A; done
for ((i = 0; i < m; i++)); do click M; done
for ((i = 0; i < x; i++)); do click X; done
click order && [[ $order == '>' ]] && click order
expect_part task2-answered $chart "$shots/chart2.png" "task 2: the chart changed before the check"
click check
verdict=$(/usr/bin/python3 "$here/atspi_read.py" --name "Неправильно") ||
  fail "task 2 ($sizes, $order) with the order turned, and no verdict \"Неправильно.\""
[[ $verdict == "Неправильно. Порядок констант, "* ]] || fail "task 2 ($sizes, $order) with the order turned, the verdict: $verdict"
snapshot "$sizes" "$order" --tree -o "$shots/tree2.png"
convert "$shots/tree2.png" -crop 777x170+0+0 +repage "$shots/trees2.png"
expect_part task2-checked $chart "$shots/chart2.png" "task 2: the chart is not the simulator's"
expect_part task2-checked $trees "$shots/trees2.png" "task 2: the trees are not --tree's"
rm -f "$shots/part.png"
INNER
if [[ $status -ne 0 ]]; then
  grep -v AccessDenied "$shots/session.err" | tail -n 20
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed ($shots)"
