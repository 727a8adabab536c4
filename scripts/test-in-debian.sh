#!/usr/bin/env bash
# Runs the README's test command on a copy of the tree inside a clean root of a Debian release, as on
# a fresh machine of that release: bash scripts/test-in-debian.sh RELEASE [--fresh]
# (--fresh makes the cached bare root anew; scripts/debian-root.sh tells how roots are kept.)
set -euo pipefail
release=${1:?usage: test-in-debian.sh RELEASE [--fresh]}
fresh=${2:-}
[[ -z $fresh || $fresh == --fresh ]] || { echo "usage: test-in-debian.sh RELEASE [--fresh]" >&2; exit 2; }
root_label="test-in-debian $release"
source "$(dirname "$0")/debian-root.sh"

bare_root "$release" "$fresh"
root_say "copying the bare root and the tree"
enter_root "$release"
copy_tree_into_root

root_say "running bash scripts/test.sh"
start=$SECONDS
in_root "$root" bash -c 'cd /src/krestiki-noliki && bash scripts/test.sh'
root_say "passed in $((SECONDS - start)) s"
