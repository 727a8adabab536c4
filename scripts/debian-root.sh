# shellcheck shell=bash
# Clean roots of a Debian release, for the commands that build or test as on a fresh machine of it.
# Sourced, not run. The bare root that debootstrap makes, and the packages apt downloads into it, are
# kept in a cache outside the repository (KN_DEBIAN_CACHE, by default ~/.cache/krestiki-noliki/debian),
# so a second run downloads neither again. Each run works in a new copy of the bare root, which it
# removes afterwards (KN_KEEP_ROOT=1 keeps it to look into), unmounting all it mounted and stopping
# every process left inside it: one left behind fails the run.

kn_cache=${XDG_CACHE_HOME:-$HOME/.cache}/krestiki-noliki
debian_cache=${KN_DEBIAN_CACHE:-$kn_cache/debian}
root=
root_mounts=()

# The sourcing script sets root_label, which starts each line it says.
root_say() { echo "${root_label:?}: $*"; }

# In the root as a person would be on a fresh machine: root, a shell, no display, no standard input.
# Further variables go before the command as NAME=value.
in_root() {
  chroot "$1" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb ${CI:+CI=$CI} "${@:2}" </dev/null
}

# The first archive that the apt sources under the folder ETC name, as "URI SUITE COMPONENT...":
# deb822 stanzas in sources.list.d/*.sources, else the deb lines of sources.list. Security and
# other suites of their own ("trixie-security", "stable/updates") are passed over.
apt_archive() {
  local etc=$1 sources=()
  shopt -s nullglob
  sources=("$etc"/apt/sources.list.d/*.sources)
  shopt -u nullglob
  {
    ((${#sources[@]} == 0)) || awk '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && enabled != "no" && uris != "") print uris "\t" suites "\t" components
        types = uris = suites = components = enabled = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      {
        field = tolower($1); sub(/:$/, "", field); value = $0; sub(/^[^:]*:[ \t]*/, "", value)
        if (field == "types") types = value; else if (field == "uris") uris = value
        else if (field == "suites") suites = value; else if (field == "components") components = value
        else if (field == "enabled") enabled = tolower(value)
      }
      END { flush() }' "${sources[@]}"
    [[ ! -e $etc/apt/sources.list ]] || awk '$1 == "deb" {
        sub(/^deb[ \t]+(\[[^]]*\][ \t]+)?/, ""); uri = $1; suite = $2; $1 = $2 = ""; sub(/^ +/, "")
        print uri "\t" suite "\t" $0
      }' "$etc/apt/sources.list"
  } | awk -F '\t' '{ split($1, uri, " "); split($2, suite, " ") }
      suite[1] !~ /[-\/]/ { print uri[1], suite[1], $3; exit }'
}

# The archive that new roots are made from: KN_DEBIAN_MIRROR, else this machine's own.
debian_mirror() {
  local archive
  if [[ -n ${KN_DEBIAN_MIRROR:-} ]]; then echo "$KN_DEBIAN_MIRROR"; return; fi
  archive=$(apt_archive /etc)
  [[ -n $archive ]] || { echo "$root_label: no Debian archive in this machine's apt sources; set KN_DEBIAN_MIRROR" >&2; return 1; }
  echo "${archive%% *}"
}

# Lets apt in the run's root fetch source packages, from the archive and suite of the root's own deb line.
enable_source_packages() {
  local archive
  archive=$(apt_archive "$root/etc")
  [[ -n $archive ]] || { root_say "no deb line in the root's apt sources" >&2; return 1; }
  echo "deb-src $archive" >"$root/etc/apt/sources.list.d/source-packages.list"
}

# Makes the bare root of RELEASE unless the cache has it; a second argument --fresh makes it anew.
bare_root() {
  local release=$1 fresh=${2:-} bare=$debian_cache/$1 script mirror
  [[ $(id -u) -eq 0 ]] || { echo "$root_label: run it as root: it makes and enters a root with chroot" >&2; exit 2; }
  bash "$(dirname "${BASH_SOURCE[0]}")/install-deps.sh" debootstrap debian-archive-keyring git
  [[ $fresh || ! -e $bare/.complete ]] || return 0
  # Commands started side by side make it once: the others wait for the first.
  mkdir -p "$debian_cache"
  exec {lock}>"$debian_cache/$release.lock"
  flock "$lock"
  if [[ -z $fresh && -e $bare/.complete ]]; then exec {lock}>&-; return 0; fi
  rm -rf "$bare" "$bare.new" "$debian_cache/$release-archives"
  # An older debootstrap knows the next release only as what it follows, unstable.
  script=/usr/share/debootstrap/scripts/$release
  [[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid
  mirror=$(debian_mirror)
  root_say "making a bare root of $release with debootstrap from $mirror"
  debootstrap --variant=minbase "$release" "$bare.new" "$mirror" "$script" >"$debian_cache/$release-debootstrap.log" 2>&1 ||
    { tail -n 20 "$debian_cache/$release-debootstrap.log" >&2; exit 1; }
  # Services are installed, never started, inside the root.
  printf '#!/bin/sh\nexit 101\n' >"$bare.new/usr/sbin/policy-rc.d"
  chmod 755 "$bare.new/usr/sbin/policy-rc.d"
  cp /etc/resolv.conf "$bare.new/etc/resolv.conf"
  # Testing's archive can be past its Valid-Until date between updates; only this root then waives it.
  if ! in_root "$bare.new" apt-get update -qq 2>"$debian_cache/$release-update.log"; then
    grep -qE 'expired|no longer valid' "$debian_cache/$release-update.log" || { cat "$debian_cache/$release-update.log" >&2; exit 1; }
    echo 'Acquire::Check-Valid-Until "false";' >"$bare.new/etc/apt/apt.conf.d/99valid-until"
    root_say "the archive is past its Valid-Until date; this root does not check it"
  fi
  rm -rf "$bare.new"/var/lib/apt/lists/*
  touch "$bare.new/.complete"
  mv "$bare.new" "$bare"
  exec {lock}>&-
}

_root_processes() {
  local pid
  for pid in /proc/[0-9]*; do
    if [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]]; then echo "${pid#/proc/}"; fi
  done
}

_root_leave() {
  local status=$? pid i left
  # Every step below runs, whatever one of them returns.
  set +e
  # A command stops all it started: whatever still runs inside the root fails the run, and is stopped
  # by its id.
  left=$(_root_processes)
  if [[ -n $left ]]; then
    root_say "left running:"
    for pid in $left; do echo "    $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"; done
    ((status != 0)) || status=1
    for pid in $left; do kill -TERM "$pid" 2>/dev/null; done
    for ((i = 0; i < 100; i++)); do
      [[ -n $(_root_processes) ]] || break
      sleep 0.1
    done
    for pid in $(_root_processes); do kill -KILL "$pid" 2>/dev/null; done
  fi
  for ((i = ${#root_mounts[@]} - 1; i >= 0; i--)); do
    umount "${root_mounts[i]}" 2>/dev/null || umount -l "${root_mounts[i]}"
  done
  if grep -q " $root/" /proc/mounts; then
    root_say "could not unmount all under $root; it is left in place"
    ((status != 0)) || status=1
  elif [[ -n ${KN_KEEP_ROOT:-} ]]; then
    root_say "the run's root is kept in $root"
  else
    rm -rf --one-file-system "$root"
  fi
  exit "$status"
}

mount_into() {
  mount "${@:2}" "$root$1"
  root_mounts+=("$root$1")
}

# Sets root to a new copy of RELEASE's bare root with only what builds and tests need mounted:
# processes, devices with their terminals and shared memory, and the downloaded packages. The copy is
# left and removed when the calling script exits.
enter_root() {
  local release=$1
  root=$(mktemp -d "$debian_cache/$release-run.XXXXXX")
  trap _root_leave EXIT
  trap 'exit 130' INT TERM
  cp -a "$debian_cache/$release/." "$root/"
  mkdir -p "$debian_cache/$release-archives"
  mount_into /proc -t proc proc
  mount_into /dev --bind /dev
  mount_into /dev/pts --bind /dev/pts
  mount_into /dev/shm -t tmpfs -o mode=1777 shm
  mount_into /var/cache/apt/archives --bind "$debian_cache/$release-archives"
}

# Copies the repository's files into the root at /src/krestiki-noliki, as a clone of them.
copy_tree_into_root() {
  mkdir -p "$root/src/krestiki-noliki"
  bash "$(dirname "${BASH_SOURCE[0]}")/copy-tree.sh" "$root/src/krestiki-noliki"
  git -C "$root/src/krestiki-noliki" init -q && git -C "$root/src/krestiki-noliki" add -A
}

# The one time of a reproducible build: SOURCE_DATE_EPOCH as the caller set it, else the time of the
# last commit of the TREE.
set_source_date_epoch() {
  SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$1" log -1 --format=%ct 2>/dev/null || true)}
  [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] ||
    { echo "$root_label: no commit to take the build's time from; set SOURCE_DATE_EPOCH" >&2; exit 2; }
}

# Puts into the root, at PREFIX, the Qt that SCRIPT (a path inside the root) builds: `SCRIPT --name`
# names the build, `SCRIPT PREFIX` makes it. It is built once and kept in CACHE under that name;
# FRESH (--fresh) builds it again.
qt_into_root() {
  local script=$1 cache=$2 prefix=$3 fresh=${4:-} name start
  name=$(in_root "$root" bash "$script" --name)
  if [[ $fresh || ! -e $cache/$name/.complete ]]; then
    rm -rf "${cache:?}/$name"
    start=$SECONDS
    in_root "$root" bash "$script" "$prefix"
    mkdir -p "$cache"
    cp -a "$root$prefix" "$cache/$name.new"
    touch "$cache/$name.new/.complete"
    mv "$cache/$name.new" "$cache/$name"
    root_say "built $name in $((SECONDS - start)) s"
  else
    root_say "using the cached $name"
    mkdir -p "$root$prefix"
    cp -a "$cache/$name/." "$root$prefix/"
  fi
}

# The one argument of the package commands: nothing, or --fresh to build their Qt again.
fresh_argument() {
  fresh=${1:-}
  [[ $# -le 1 && ( -z $fresh || $fresh == --fresh ) ]] || { echo "usage: $0 [--fresh]" >&2; exit 2; }
}

# Sets root to a new root of Debian 13, where the Windows and the web builds are made: the tree
# copied in, Debian's source packages reachable, and the PACKAGES installed, said as WHAT.
enter_build_root() {
  bare_root trixie
  enter_root trixie
  copy_tree_into_root
  enable_source_packages
  root_say "installing $1"
  in_root "$root" bash /src/krestiki-noliki/scripts/install-deps.sh "${@:2}"
}

# For the scripts that build Qt inside such a root from Debian's own qt6-base source package.
qt_source_version() { apt-cache showsrc qt6-base | awk '$1 == "Version:" { print $2; exit }'; }

# Unpacks qt6-base's source of VERSION in WORK, always the same folder, so that no trace of a random
# one reaches what is built, and goes there; qt_source is then the tree. The host Qt, whose tools the
# build runs, must be of the same version.
qt_fetch_source() {
  local version=$1 work=$2 host_version
  host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)
  [[ $host_version == "$version" ]] || { echo "build-qt: host Qt $host_version is not the source's $version" >&2; exit 1; }
  rm -rf "$work" && mkdir -p "$work" && cd "$work"
  apt-get source -qq "qt6-base=$version" >/dev/null
  qt_source=$(find . -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
}

# BYTES in megabytes, as the package commands print their sizes.
megabytes() { awk -v bytes="$1" 'BEGIN { printf "%.2f MB", bytes / 1000000 }'; }

# What both Qt builds share: the list of the Qt features the game uses, and the series of changes
# to Qt's source, each opening with the fault it mends and where upstream mended it.
qt_shared=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/qt

# Prints the digests of the shared files, for a build's name.
qt_shared_digests() { (cd "$qt_shared" && sha256sum features patches/*.patch); }

# Applies the series to the Qt source in SOURCE, in order.
qt_patch() {
  local patch
  for patch in "$qt_shared"/patches/*.patch; do
    patch -s -p1 -d "$1" <"$patch"
  done
}

# Prints the cmake options that turn on the features the list names for PLATFORM (web or windows) and
# turn off every other feature that Qt's Core, Gui and Widgets in SOURCE offer as optional: those their
# configure lists under a section, and the styles. A name the source does not offer fails.
qt_feature_options() {
  awk -v platform="$2" -v list="$qt_shared/features" '
    FILENAME == list {
      sub(/#.*/, "")
      if (NF == 0 || ($1 ~ /:$/ && $1 != platform ":")) next
      for (i = ($1 ~ /:$/) + 1; i <= NF; i++) wanted[$i] = 1
      next
    }
    FNR == 1 { widgets = FILENAME ~ /widgets/ }
    /^qt_feature\("/ { name = $0; sub(/^qt_feature\("/, "", name); sub(/".*/, "", name); section = 0; open = 1 }
    open && /SECTION/ { section = 1 }
    open && /^\)/ {
      open = 0
      if (!section && !widgets) next
      offered[name] = 1
      option = name; gsub(/-/, "_", option)
      print "-DFEATURE_" option "=" (name in wanted ? "ON" : "OFF")
    }
    END {
      for (name in wanted) if (!(name in offered)) { print "build-qt: Qt offers no feature " name > "/dev/stderr"; failed = 1 }
      exit failed
    }' "$qt_shared/features" "$1"/src/{corelib,gui,widgets}/configure.cmake
}

# Configures, builds and installs the Qt in SOURCE into PREFIX with the further cmake ARGUMENTS, the
# host Qt's tools doing the host's part; a failed step shows the end of its log.
qt_build() {
  cmake -S "$1" -B build -G Ninja -DCMAKE_INSTALL_PREFIX="$2" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${@:3}" >configure.log 2>&1 ||
    { tail -n 40 configure.log >&2; exit 1; }
  echo "build-qt: building"
  cmake --build build >build.log 2>&1 || { grep -m 20 -B 2 -A 8 'FAILED' build.log >&2; tail -n 20 build.log >&2; exit 1; }
  cmake --install build >install.log 2>&1 || { tail -n 20 install.log >&2; exit 1; }
}
