#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
#
# What Orca says, for real: Orca on a private X server, session bus and accessibility
# bus, speaking through a speech-dispatcher of its own whose only voice writes every
# text it is given to a file. In the quiz a task is answered by keyboard alone and the
# verdict and the explanation must be heard, then the next task's spectrum and a size
# set with Space; in the simulator the chart must be heard with the state and its
# spectrum when it has the focus and again on "where am I".
# Usage: orca_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)

# Everything started below inherits this mark, the daemons that D-Bus activates
# included, so that whatever is still running at the end can be found and stopped.
export SPEKTRION_ORCA_TEST=$work
# The processes bearing the mark; the grep that looks does not bear it.
sweep() {
  local path
  for path in $(env -u SPEKTRION_ORCA_TEST grep -lsz "^SPEKTRION_ORCA_TEST=$work\$" /proc/[0-9]*/environ); do
    path=${path#/proc/}
    echo "${path%/environ}"
  done
}
finish() {
  local left i
  left=$(sweep)
  for ((i = 0; i < 20 && ${#left} > 0; i++)); do
    # shellcheck disable=SC2086 # a list of process ids
    kill $left 2>/dev/null || true
    sleep 0.1
    left=$(sweep)
  done
  # shellcheck disable=SC2086
  [[ -z $left ]] || kill -KILL $left 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

# A home of its own: the user's settings are neither read nor written.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME/speech-dispatcher/modules"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export GSETTINGS_BACKEND=memory LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_LINUX_ACCESSIBILITY_ALWAYS_ON SPEECHD_ADDRESS

# The voice: sd_generic runs a shell command per text; $DATA arrives escaped for
# single quotes. Its one delimiter, ~, is in no text, so no text is split; every
# language is UTF-8. The module wants a sound device it never uses: ALSA's null one.
spoken=$work/spoken.txt
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<EOF
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
DefaultLanguage "en"
AudioOutputMethod "alsa"
LogLevel 2
EOF
cat >"$XDG_CONFIG_HOME/speech-dispatcher/modules/file.conf" <<EOF
GenericExecuteSynth "printf '%s\\\\n' \\'\$DATA\\' >>$spoken"
GenericMaxChunkLength 100000
GenericDelimiters "~"
GenericLanguage "en" "en" "utf-8"
GenericLanguage "en-US" "en-US" "utf-8"
GenericLanguage "uk" "uk" "utf-8"
AddVoice "en" "male1" "en"
AddVoice "en-US" "male1" "en-US"
AddVoice "uk" "male1" "uk"
EOF
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"

xvfb-run -a -s '-screen 0 1280x1024x24' dbus-run-session -- \
  bash "$here/orca_session.sh" "$build" "$here" "$work" 2>"$work/session.err" && status=0 || status=$?
if [[ $status -ne 0 ]]; then
  echo "--- what the session printed"
  tail -n 30 "$work/session.err"
  echo "--- what Orca said"
  cat "$spoken" 2>/dev/null || true
  echo "--- the end of Orca's log"
  grep -a "SPEECH OUTPUT\|ERROR" "$work/orca-debug.txt" 2>/dev/null | tail -n 20 || true
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
