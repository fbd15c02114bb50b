#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# `make windows-test`: the Windows downloads, checked without a person. The zip holds
# what it should, its programs depend on Windows' own DLLs only, and under Wine on a
# private X server they give the Linux build's pictures pixel for pixel: the snapshot
# tool in all 54 states, the window at start-up and after clicks and hovers. Closing
# the window ends the program with status 0. The installer installs those files with
# a menu entry, upgrades an older version, refuses to replace a newer one, and its
# removal leaves the Wine prefix as it found it.
# Usage: windows_test.sh BUILD_DIR (the host build; the Windows build in BUILD_DIR/windows)
set -uo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
zip=$(ls "$build"/windows/spektrion-*-win64.zip 2>/dev/null | head -n 1)
work=$(mktemp -d)
trap 'wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
passed=0
failed=0
pass() { passed=$((passed + 1)); echo "PASS: $*"; }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
same_picture() { [[ $(compare -metric AE "$1" "$2" null: 2>&1) == 0 ]]; }

[[ -n $zip ]] || { echo "FAIL: no build/windows/spektrion-*-win64.zip"; echo "0 passed, 1 failed"; exit 1; }

# The zip: the programs, the licences, the README and the guide in Ukrainian (every
# file of docs/uk in uk/), nothing else.
listing=$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')
expected=$( (printf '%s\n' LICENSE.txt README.txt fonts-licence.txt spektrion-field.exe spektrion-quiz.exe \
  spektrion-snapshot.exe spektrion-worksheet.exe spektrion.exe; cd "$source/docs/uk" && ls | sed 's|^|uk/|') |
  LC_ALL=C sort | tr '\n' ' ')
[[ $listing == "$expected" ]] && pass "the zip holds $expected" || fail "the zip holds $listing"
unzip -q "$zip" -d "$work/app"

# One Wine prefix per machine, in the cache: creating one takes minutes.
export WINEPREFIX=${XDG_CACHE_HOME:-$HOME/.cache}/spektrion/wine64
# No Linux menu entries for what the installer puts into the Start menu.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The Linux session's platform choice is not the Windows program's.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# No session bus, so that the toolkit starts no daemon of its own that outlives the test.
export DBUS_SESSION_BUS_ADDRESS=disabled:
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Creating the Wine prefix $WINEPREFIX (once per machine)"
  DISPLAY= wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver -p 60  # kept alive between the many short runs below
system_dlls=$(ls "$WINEPREFIX/drive_c/windows/system32" | tr '[:upper:]' '[:lower:]')

# Every DLL a program imports is one of Windows' own: Wine has each in system32, or
# it is an API set (api-ms-win-*), which Windows' loader resolves itself.
for exe in spektrion.exe spektrion-quiz.exe spektrion-field.exe spektrion-snapshot.exe spektrion-worksheet.exe; do
  foreign=""
  for dll in $(x86_64-w64-mingw32-objdump -p "$work/app/$exe" | sed -n 's/.*DLL Name: //p'); do
    [[ ${dll,,} == api-ms-win-* ]] || grep -qx "${dll,,}" <<<"$system_dlls" || foreign+=" $dll"
  done
  [[ -z $foreign ]] && pass "$exe imports only Windows' DLLs" || fail "$exe imports$foreign"
done
grep -qi "windows gui" <(x86_64-w64-mingw32-objdump -p "$work/app/spektrion.exe" | grep -i subsystem) &&
  pass "spektrion.exe opens no console" || fail "spektrion.exe is not a Windows GUI program"

# The snapshot tool in every state, against the Linux one.
mkdir -p "$work/shots"
differing=""
for order in '>' '<'; do
  for a in 1 2 3; do for m in 1 2 3; do for x in 1 2 3; do
    name=$a$m$x$([[ $order == '<' ]] && echo lt || echo gt)
    (cd "$work/shots" && wine "$work/app/spektrion-snapshot.exe" --sizes $a,$m,$x --order "$order" \
      -o "win-$name.png" >/dev/null 2>"win-$name.err")
    "$build/bin/spektrion-snapshot" --sizes $a,$m,$x --order "$order" -o "$work/shots/linux-$name.png"
    same_picture "$work/shots/win-$name.png" "$work/shots/linux-$name.png" || differing+=" $name"
  done; done; done
done
[[ -z $differing ]] && pass "spektrion-snapshot.exe draws all 54 states as on Linux" ||
  fail "spektrion-snapshot.exe differs from Linux in:$differing"
(cd "$work/shots" && wine "$work/app/spektrion-snapshot.exe" --version) | tr -d '\r' | grep -qx "spektrion-snapshot [0-9.]*" &&
  pass "spektrion-snapshot.exe --version" || fail "spektrion-snapshot.exe --version"

# The worksheet tool writes the Linux worksheet's text.
(cd "$work/shots" && wine "$work/app/spektrion-worksheet.exe" --count 54 --seed 5 -o sheet.pdf >/dev/null 2>&1)
"$build/bin/spektrion-worksheet" --count 54 --seed 5 -o "$work/shots/linux-sheet.pdf"
[[ -s $work/shots/sheet.pdf && $(pdftotext "$work/shots/sheet.pdf" - 2>/dev/null) == "$(pdftotext "$work/shots/linux-sheet.pdf" -)" ]] &&
  pass "spektrion-worksheet.exe writes the Linux worksheet's text" || fail "spektrion-worksheet.exe's worksheet differs from Linux"

# The window, under Wine and on Linux, on one private X server: the same pictures
# after the same pointer actions.
actions=(
  "hover 204 20" "click 204 20" "click 260 35" "hover 440 20" "click 440 20"
  "hover 300 200" "hover 700 25" "click 278 20" "hover 348 470"
)
# The program's window, within a minute. Searched again and again rather than with
# --sync: a window Wine makes and destroys meanwhile ends a waiting search with an X
# error (BadWindow), as if there were no window.
find_window() {
  local found
  for _ in $(seq 120); do
    found=$(xdotool search --onlyvisible --name "^Spektrion" 2>/dev/null | head -n 1)
    [[ -n $found ]] && { echo "$found"; return 0; }
    sleep 0.5
  done
  return 1
}
drive() {  # drive NAME COMMAND...: start, act, picture each step, close
  local name=$1
  shift
  "$@" >/dev/null 2>&1 &
  local pid=$!
  local window
  window=$(find_window)
  [[ -n $window ]] || { echo "no window from $name"; kill $pid; return 1; }
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local origin_x=$X origin_y=$Y
  echo "$WIDTH"x"$HEIGHT" >"$work/$name-size"
  xdotool getwindowname "$window" >"$work/$name-title"
  sleep 1
  import -window root -crop "792x521+$origin_x+$origin_y" +repage "$work/$name-0.png"
  local step=0
  for action in "${actions[@]}"; do
    read -r what x y <<<"$action"
    # Under Wine the first motion into a window can go unseen: move twice.
    xdotool mousemove $((origin_x + x - 1)) $((origin_y + y))
    xdotool mousemove $((origin_x + x)) $((origin_y + y))
    [[ $what == click ]] && xdotool mousedown 1 mouseup 1
    sleep 0.5
    step=$((step + 1))
    import -window root -crop "792x521+$origin_x+$origin_y" +repage "$work/$name-$step.png"
  done
  xdotool mousemove 0 0
  "$build/bin/send_close" "$window"
  local status=0
  timeout 30 tail --pid=$pid -f /dev/null || status=timeout
  wait $pid || status=$?
  echo "$status" >"$work/$name-status"
}
export -f drive
export work build
export actions_text="${actions[*]}"
xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -p actions); $(declare -f find_window drive); \
  drive linux '$build/bin/spektrion'; drive windows wine '$work/app/spektrion.exe'"

[[ $(cat "$work/windows-title" 2>/dev/null) == "Spektrion навчальний симулятор" ]] &&
  pass "the window's title" || fail "the window's title: $(cat "$work/windows-title" 2>/dev/null)"
[[ $(cat "$work/windows-size" 2>/dev/null) == 792x521 ]] &&
  pass "the window is 792 x 521" || fail "the window is $(cat "$work/windows-size" 2>/dev/null)"
# The pictures compared are the window's: the Linux one at start-up is the snapshot
# tool's, and the first hover changed it.
same_picture "$work/linux-0.png" "$work/shots/linux-222gt.png" && ! same_picture "$work/linux-0.png" "$work/linux-1.png" &&
  pass "the screenshots show the window" || fail "the screenshots do not show the Linux window as expected"
differing=""
for step in $(seq 0 ${#actions[@]}); do
  same_picture "$work/windows-$step.png" "$work/linux-$step.png" || differing+=" $step"
done
mkdir -p "$build/windows-failures"
if [[ -z $differing ]]; then
  pass "the window under Wine shows what the Linux window shows, at start-up and after ${#actions[@]} actions"
else
  cp "$work"/windows-*.png "$work"/linux-*.png "$build/windows-failures/" 2>/dev/null
  fail "the window under Wine differs at steps:$differing (pictures in $build/windows-failures)"
fi
[[ $(cat "$work/windows-status" 2>/dev/null) == 0 ]] &&
  pass "closing the window ends spektrion.exe with status 0" ||
  fail "spektrion.exe after the close: $(cat "$work/windows-status" 2>/dev/null)"

picture_at() {  # picture_at FILE [EXE]: the window's picture, then closed
  wine "${2:-$work/app/spektrion.exe}" >/dev/null 2>&1 &
  local pid=$! window
  window=$(find_window)
  [[ -n $window ]] || { kill $pid; return 1; }
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$1"
  "$build/bin/send_close" "$window"
  timeout 30 tail --pid=$pid -f /dev/null
}

# The installer. Per machine: Windows puts the menu entry into every user's Start
# menu; Wine's msi puts it into the current user's (it ignores ALLUSERS there).
msi=$(ls "$build"/windows/spektrion-*-win64.msi 2>/dev/null | head -n 1)
stage=$build/windows/packaging/windows/stage
drive=$WINEPREFIX/drive_c
installed=$drive/Program\ Files/Spektrion
product_code() { msiinfo export "$1" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p'; }
is_installed() { wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$(product_code "$1")" >/dev/null 2>&1; }
# The prefix's files and registry keys, and every registry value that names Spektrion
# (Wine rewrites some others, driver dates and caches, on every start). The server is
# stopped first, which writes the registry files.
prefix_state() {
  wineserver -k
  wineserver -w
  (cd "$drive" && find . | LC_ALL=C sort)
  sed -n -e 's/^\(\[.*\]\) [0-9]*$/\1/p' -e '/[Ss]pektrion/p' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}
if [[ -z $msi ]]; then
  fail "no build/windows/spektrion-*-win64.msi"
else
  grep -qP '^ALLUSERS\t1\r?$' <<<"$(msiinfo export "$msi" Property)" &&
    grep -q "Уже встановлено новішу версію Spektrion" <<<"$(msiinfo export "$msi" LaunchCondition)" &&
    grep -qP '^Template: x64;1058\r?$' <<<"$(msiinfo suminfo "$msi")" &&
    pass "the installer installs per machine, is Ukrainian, and names a newer version it will not replace" ||
    fail "the installer's Property or LaunchCondition table, or its language, is not as written"
  python3 "$source/packaging/windows/msi.py" --wxs "$source/packaging/windows/spektrion.wxs" \
    --stage "$stage" --icon "$build/images/spektrion.ico" --version 0.9.0 --epoch 0 -o "$work/older.msi"
  # Whatever an interrupted run left installed goes first, so that the prefix is clean.
  wine msiexec /x "$work/older.msi" /qn >/dev/null 2>&1
  wine msiexec /x "$msi" /qn >/dev/null 2>&1
  before=$(prefix_state)
  wine msiexec /i "$work/older.msi" /qn >/dev/null 2>&1 && is_installed "$work/older.msi" &&
    pass "an older version installs" || fail "the older version did not install"
  wine msiexec /i "$msi" /qn >/dev/null 2>&1 && is_installed "$msi" && ! is_installed "$work/older.msi" &&
    pass "the current version replaces the older one" || fail "the current version did not replace the older one"
  listing=$(cd "$installed" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
  same=yes
  for file in $(cd "$stage" && find . -type f); do cmp -s "$stage/$file" "$installed/$file" || same=no; done
  [[ $listing == "$expected" && $same == yes ]] && pass "C:\\Program Files\\Spektrion holds the zip's files" ||
    fail "C:\\Program Files\\Spektrion holds $listing (the zip's bytes: $same)"
  for entry in Spektrion:spektrion.exe "Spektrion Quiz:spektrion-quiz.exe" "Spektrion Field:spektrion-field.exe" \
      "Spektrion Guide:index.html"; do
    shortcut=$(find "$drive" -path "*/Start Menu/Programs/${entry%:*}.lnk" | head -n 1)
    target=$([[ -n $shortcut ]] && strings -el "$shortcut")
    grep -qx 'C:\\Program Files\\Spektrion\\' <<<"$target" && grep -qxF "${entry#*:}" <<<"$target" &&
      pass "the Start menu has ${entry%:*}, starting the installed ${entry#*:}" || fail "no Start-menu entry ${entry%:*}"
  done
  ! wine msiexec /i "$work/older.msi" /qn >/dev/null 2>&1 && is_installed "$msi" && ! is_installed "$work/older.msi" &&
    pass "the older version refuses to replace the newer" || fail "the older version was installed over the newer"
  # A new Wine session on the X server: the installer's knows no display.
  wineserver -k; wineserver -w
  xvfb-run -a -s '-screen 0 1024x768x24' bash -c "$(declare -f find_window picture_at)
    picture_at '$work/installed.png' '$installed/spektrion.exe'; wineserver -k; wineserver -w"
  same_picture "$work/installed.png" "$work/windows-0.png" &&
    pass "the installed spektrion.exe starts as the zip's does" || {
    cp "$work/installed.png" "$build/windows-failures/" 2>/dev/null
    fail "the installed spektrion.exe starts differently (picture in $build/windows-failures)"
  }
  wine msiexec /x "$msi" /qn >/dev/null 2>&1 && ! is_installed "$msi" &&
    pass "the installer removes Spektrion" || fail "msiexec /x failed"
  # Windows Installer's own empty folders and keys, made on its first use, are no trace.
  left=$(diff <(echo "$before") <(prefix_state) | sed -n 's/^> //p' |
    grep -vE '^\./windows/Installer$|\\Installer\\\\(Features|Products|UpgradeCodes)\]$|\\S-1-5-18\\\\(Components|Products)\]$')
  [[ -z $left ]] && pass "after its removal the prefix is as before" ||
    fail "its removal left behind: ${left:0:600}"
fi

# At Windows' 125 % and 150 % (LogPixels 120 and 144), the window is laid out that much
# larger and its chart drawn at that resolution, measured as on Linux.
desktop='HKCU\Control Panel\Desktop'
for dpi in 120 144; do
  ratio=$([[ $dpi == 120 ]] && echo 1.25 || echo 1.5)
  # A new Wine session on the new X server: a running one keeps the screen size it
  # first saw, and would centre the window on a 1024 x 768 screen.
  wineserver -k; wineserver -w
  xvfb-run -a -s '-screen 0 2048x1536x24' bash -c "$(declare -f find_window picture_at)
    wine reg add '$desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    picture_at '$work/scaled-$dpi.png'
    wine reg delete '$desktop' /v LogPixels /f >/dev/null 2>&1
    wineserver -k; wineserver -w"
  if verdict=$("$build/bin/scaled_chart_check" "$work/scaled-$dpi.png" $ratio 2>/dev/null); then
    pass "at LogPixels $dpi the window is drawn at $ratio, every element of one width"
  else
    cp "$work/scaled-$dpi.png" "$build/windows-failures/" 2>/dev/null
    fail "at LogPixels $dpi: $verdict"
  fi
done

# spektrion-field.exe: its picture (900 x 560 at 11,55 of the window) as the Linux
# snapshot of the same setting draws it.
wineserver -k; wineserver -w
xvfb-run -a -s '-screen 0 1600x1200x24' bash -c "$(declare -f find_window picture_at)
  picture_at '$work/field-window.png' '$work/app/spektrion-field.exe'; wineserver -k; wineserver -w"
convert "$work/field-window.png" -crop 900x560+11+55 +repage "$work/field-win.png" 2>/dev/null
"$build/bin/spektrion-snapshot" --field 400 -o "$work/field-linux.png"
if same_picture "$work/field-win.png" "$work/field-linux.png"; then
  pass "spektrion-field.exe draws its picture as on Linux"
else
  cp "$work/field-window.png" "$build/windows-failures/" 2>/dev/null
  fail "spektrion-field.exe draws its picture differently (picture in $build/windows-failures)"
fi

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
