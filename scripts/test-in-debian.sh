#!/usr/bin/env bash
# Runs the README's test command on a copy of the tree inside a clean root of a Debian release, as on
# a fresh machine of that release: bash scripts/test-in-debian.sh RELEASE [--fresh]
#
# The bare root that debootstrap makes, and the packages apt downloads into it, are kept in a cache
# outside the repository (KN_DEBIAN_CACHE, by default ~/.cache/krestiki-noliki/debian), so a second
# run downloads neither again; --fresh makes a new root. Each run works in a new copy of the bare root,
# which it removes afterwards (KN_KEEP_ROOT=1 keeps it to look into), unmounting all it mounted and
# stopping every process left inside it.
set -euo pipefail
release=${1:?usage: test-in-debian.sh RELEASE [--fresh]}
fresh=${2:-}
[[ -z $fresh || $fresh == --fresh ]] || { echo "usage: test-in-debian.sh RELEASE [--fresh]" >&2; exit 2; }
tree=$(cd "$(dirname "$0")/.." && pwd)
cache=${KN_DEBIAN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/krestiki-noliki/debian}
mirror=${KN_DEBIAN_MIRROR:-http://deb.debian.org/debian}
bare=$cache/$release
archives=$cache/$release-archives
[[ $(id -u) -eq 0 ]] || { echo "test-in-debian: run it as root: it makes and enters a root with chroot" >&2; exit 2; }
bash "$tree/scripts/install-deps.sh" debootstrap debian-archive-keyring git

say() { echo "test-in-debian $release: $*"; }

# In the root as a person would be on a fresh machine: root, a shell, no display, no standard input.
in_root() {
  chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} "${@:2}" </dev/null
}

if [[ $fresh || ! -e $bare/.complete ]]; then
  rm -rf "$bare" "$bare.new" "$archives"
  # An older debootstrap knows the next release only as what it follows, unstable.
  script=/usr/share/debootstrap/scripts/$release
  [[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid
  say "making a bare root with debootstrap"
  mkdir -p "$cache"
  debootstrap --variant=minbase "$release" "$bare.new" "$mirror" "$script" >"$cache/$release-debootstrap.log" 2>&1 ||
    { tail -n 20 "$cache/$release-debootstrap.log" >&2; exit 1; }
  # Services are installed, never started, inside the root.
  printf '#!/bin/sh\nexit 101\n' >"$bare.new/usr/sbin/policy-rc.d"
  chmod 755 "$bare.new/usr/sbin/policy-rc.d"
  cp /etc/resolv.conf "$bare.new/etc/resolv.conf"
  # Testing's archive can be past its Valid-Until date between updates; only this root then waives it.
  if ! in_root "$bare.new" apt-get update -qq 2>"$cache/$release-update.log"; then
    grep -qE 'expired|no longer valid' "$cache/$release-update.log" || { cat "$cache/$release-update.log" >&2; exit 1; }
    echo 'Acquire::Check-Valid-Until "false";' >"$bare.new/etc/apt/apt.conf.d/99valid-until"
    say "the archive is past its Valid-Until date; this root does not check it"
  fi
  rm -rf "$bare.new"/var/lib/apt/lists/*
  touch "$bare.new/.complete"
  mv "$bare.new" "$bare"
fi

root=$(mktemp -d "$cache/$release-run.XXXXXX")
mounts=()
inside_root() {
  local pid
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    if [[ $(readlink "/proc/$pid/root" 2>/dev/null) == "$root" ]]; then echo "$pid"; fi
  done
}
stop_all() {
  local status=$? pid i left
  # Every step below runs, whatever one of them returns.
  set +e
  # A test stops all it started: whatever still runs inside the root fails the run, and is stopped
  # by its id.
  left=$(inside_root)
  if [[ -n $left ]]; then
    say "left running after the tests:"
    for pid in $left; do echo "    $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"; done
    ((status != 0)) || status=1
    for pid in $left; do kill -TERM "$pid" 2>/dev/null; done
    sleep 1
    for pid in $(inside_root); do kill -KILL "$pid" 2>/dev/null; done
  fi
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}"
  done
  if grep -q " $root/" /proc/mounts; then
    say "could not unmount all under $root; it is left in place"
    ((status != 0)) || status=1
  elif [[ -n ${KN_KEEP_ROOT:-} ]]; then
    say "the run's root is kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
  exit "$status"
}
trap stop_all EXIT
trap 'exit 130' INT TERM

say "copying the bare root and the tree"
cp -a "$bare/." "$root/"
mkdir -p "$archives" "$root/src/krestiki-noliki"
bash "$tree/scripts/copy-tree.sh" "$root/src/krestiki-noliki"
# The package build lists the tree's files with git, as in a clone.
git -C "$root/src/krestiki-noliki" init -q && git -C "$root/src/krestiki-noliki" add -A

# Only what the tests need: processes, devices with their terminals and shared memory, and the
# downloaded packages.
mount_into() {
  mount "${@:2}" "$root$1"
  mounts+=("$root$1")
}
mount_into /proc -t proc proc
mount_into /dev --bind /dev
mount_into /dev/pts --bind /dev/pts
mount_into /dev/shm -t tmpfs -o mode=1777 shm
mount_into /var/cache/apt/archives --bind "$archives"

say "running bash scripts/test.sh"
start=$SECONDS
in_root "$root" bash -c 'cd /src/krestiki-noliki && bash scripts/test.sh'
say "passed in $((SECONDS - start)) s"
