#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Spektrion developers
# SPDX-License-Identifier: MIT
# The README's two commands on a Debian 12 that has never seen the project: a minimal
# root made by debootstrap (kept as a tarball in ~/.cache/spektrion, so that later runs
# start from it in seconds), the committed tree cloned into it, nothing installed but
# make, then `make test` and `make run` without a display, as root through chroot.
# A warm machine hides what only a first run does (stale caches, a missing package);
# this does not.
#   fresh-check.sh          make test, then make run
#   fresh-check.sh --ci     bash .ci/run as CI runs it, each line timed
#   --keep                  leave the root in place afterwards (its path is printed)
#   --renew                 make the root's tarball again (a newer point release)
# Runs as root. The root shares the host's network: its X servers pick display
# numbers by their lock files, which the host's do not see, so run no X tests on the
# host meanwhile.
set -euo pipefail
cd "$(dirname "$0")/.."
source_tree=$PWD

mode=test keep=false renew=false
for argument in "$@"; do
  case "$argument" in
    --ci) mode=ci ;;
    --keep) keep=true ;;
    --renew) renew=true ;;
    *) echo "fresh-check.sh: unknown option '$argument'" >&2; exit 2 ;;
  esac
done
if [[ $(id -u) -ne 0 ]]; then
  echo "fresh-check.sh: debootstrap and chroot need root; run it as root." >&2
  exit 1
fi

mirror=${SPEKTRION_DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache="${XDG_CACHE_HOME:-$HOME/.cache}/spektrion"
tarball="$cache/debian12-minbase.tar.gz"
mkdir -p "$cache"
work=$(mktemp -d /var/tmp/spektrion-fresh.XXXXXX)
root="$work/root"
cleanup() {
  if $keep; then
    echo "The root stays in $root."
  else
    rm -rf --one-file-system "$work"
  fi
}
trap cleanup EXIT

if $renew || [[ ! -f $tarball ]]; then
  echo "Making a minimal Debian 12 root (once; kept in $tarball)…"
  debootstrap --variant=minbase --include=make bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -20 "$work/debootstrap.log" >&2; exit 1; }
  # The sources of an installed Debian 12, its updates and security fixes included.
  security=${mirror%/debian}/debian-security
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  chroot "$root" apt-get clean
  rm -rf "$root"/var/lib/apt/lists/*
  tar -C "$root" -czf "$tarball.new" .
  mv "$tarball.new" "$tarball"
else
  mkdir "$root"
  tar -C "$root" -xzf "$tarball"
fi

# What a new user does: clone, then the two commands. The root has no git: the clone
# is made from outside, a tree with its history but no program to read it.
git clone --quiet --no-hardlinks "$source_tree" "$root/root/spektrion"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The machine's trust in its own network (a proxy's certificate authority, say), as a new
# machine on that network is given it: the local authorities, taken into the root's
# bundle when ca-certificates is installed there, and the variable that names the bundle.
cp -a /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/" 2>/dev/null || true
trust=()
[[ -n ${NODE_EXTRA_CA_CERTS:-} ]] && trust+=("NODE_EXTRA_CA_CERTS=$NODE_EXTRA_CA_CERTS")

case $mode in
  test) inner='cd /root/spektrion
    make test >/root/make-test.log 2>&1; echo "make test: exit status $?" >/root/status
    make run </dev/null >/root/make-run.log 2>&1; echo "make run: exit status $?" >>/root/status' ;;
  ci) inner='cd /root/spektrion
    start=$(date +%s)
    CI=true bash .ci/run </dev/null 2>&1 | while IFS= read -r line; do
      printf "%6d %s\n" $(( $(date +%s) - start )) "$line"; done >/root/ci.log
    echo "bash .ci/run: exit status ${PIPESTATUS[0]} after $(( $(date +%s) - start )) s" >/root/status' ;;
esac

# A mount namespace of its own: the bound /proc, /sys and /dev go when it ends, however it ends.
unshare --mount --propagation private bash -c '
  root=$1 inner=$2
  shift 2
  mount --rbind /proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  exec chroot "$root" /usr/bin/env -i HOME=/root USER=root LOGNAME=root SHELL=/bin/bash \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb "$@" bash -c "$inner"
' fresh-check "$root" "$inner" "${trust[@]}"

# What it left, kept beside the host's build tree.
logs="$source_tree/build/fresh-check"
mkdir -p "$logs"
cp "$root"/root/*.log "$root/root/status" "$logs/"
failed=false
if [[ $mode == test ]]; then
  echo "== ctest summaries (build/fresh-check/make-test.log):"
  grep -E '^[0-9]+% tests passed|^The following tests FAILED|^[[:space:]]+[0-9]+ - ' "$logs/make-test.log" || true
  echo "== make run without a display (build/fresh-check/make-run.log):"
  grep -v '^make' "$logs/make-run.log" | tail -3
  if [[ -s $root/root/spektrion/build/spektrion.png ]]; then
    cp "$root/root/spektrion/build/spektrion.png" "$logs/"
    echo "build/spektrion.png: made (a copy in build/fresh-check/)"
  else
    echo "build/spektrion.png: missing"
    failed=true
  fi
  grep -q 'make test: exit status 0' "$logs/status" || failed=true
else
  echo "== stages (seconds from the start; build/fresh-check/ci.log):"
  grep -E '^ *[0-9]+ (make|bash scripts|bash tests|ctest|cmake --preset|xvfb-run|[0-9]+% tests passed)' \
    "$logs/ci.log" || true
  grep -q 'exit status 0' "$logs/status" || failed=true
fi
cat "$logs/status"
! $failed
