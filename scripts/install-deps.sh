#!/usr/bin/env bash
# Installs the Debian packages named as arguments that are not installed yet. A package that this
# release's archive does not have is skipped with a line that says so; the program has a fallback
# for each such package.
set -euo pipefail
missing=()
for package in "$@"; do
  [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = 'install ok installed' ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
# Commands run side by side install one at a time: apt takes its download folder's lock without
# waiting, and the roots of one release share that folder. dpkg's own lock is waited for too, as
# when the machine is updating itself.
apt=(flock /var/cache/apt/archives/kn-install-deps.lock apt-get -o DPkg::Lock::Timeout=600)
"${sudo[@]}" "${apt[@]}" update -qq
available=()
for package in "${missing[@]}"; do
  if [ -n "$(apt-cache policy "$package" | awk '$1 == "Candidate:" && $2 != "(none)"')" ]; then
    available+=("$package")
  else
    echo "Skipping $package: this release's archive does not have it"
  fi
done
[ ${#available[@]} -eq 0 ] && exit 0
echo "Installing: ${available[*]}"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" "${apt[@]}" install -y -qq --no-install-recommends "${available[@]}" >/dev/null
