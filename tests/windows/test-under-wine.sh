#!/usr/bin/env bash
# Inside a Debian 13 root with its Wine, an Xvfb and no window manager: the Windows build's tests, then
# the installer as a person meets it: a silent install into Program Files, a game played by clicks on
# the installed program, a silent uninstall that leaves nothing of the game behind.
#   test-under-wine.sh SETUP.EXE BUILD_DIR
set -uo pipefail
setup=${1:?usage: test-under-wine.sh SETUP.EXE BUILD_DIR}
build=${2:?usage: test-under-wine.sh SETUP.EXE BUILD_DIR}
NAME=wine
source "$(dirname "$0")/../desktop_session.sh"

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEARCH=win64
# Debian packages neither Mono nor Gecko; Wine is not to ask for them, nor to write menu entries.
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
start_xvfb 1280x800x24
# One server for every program of the run, started here and stopped by its id, its programs with it.
wineserver --foreground --persistent &
PIDS+=($!)
trap 'status=$?; wineserver --kill 2>/dev/null; stop_all $status' EXIT
wineboot --init >"$work/wineboot.log" 2>&1 || fail "wineboot could not make the prefix"
say "Wine $(wine --version) prefix ready"

# --- The Qt Test suite built for Windows ----------------------------------------------------------
# One at a time: their windows share Wine's one desktop, where only one can be active.
(cd "$build" && ctest --output-on-failure) || fail "the Windows build's tests failed under Wine"
grep -h '^[a-z0-9_]* is skipped on Windows: ' "$build/Testing/Temporary/LastTest.log" | sed "s/^/$NAME: /"

# --- Install ----------------------------------------------------------------------------------------
program_files=$WINEPREFIX/drive_c/Program\ Files/Крестики-нолики
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Крестики-нолики.lnk
# Wine's registry as text; reg's console output can only say what the console's code page holds.
registry() {
  wine reg export "$1" "$work/export.reg" /y >/dev/null 2>&1 && iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d '\r'
}
snapshot() {
  (cd "$WINEPREFIX" && find drive_c -path 'drive_c/users/*/Temp' -prune -o -print | sort)
  registry 'HKLM\Software' | grep '^\[' | sort
}
snapshot >"$work/before.txt"
wine "$setup" /S || fail "the silent install failed"
[[ -f $program_files/krestiki-noliki.exe ]] || fail "nothing installed in Program Files\\Крестики-нолики"
[[ -f $start_menu ]] || fail "no Start-menu entry"
key=$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\krestiki-noliki') || fail "no uninstall key"
for value in '"DisplayName"="Крестики-нолики"' '"DisplayVersion"="1.0.0.0"' '"EstimatedSize"=dword:' \
  'Крестики-нолики\\krestiki-noliki.exe,0"' 'Крестики-нолики\\uninstall.exe\" /S"'; do
  grep -qF -- "$value" <<<"$key" || fail "the uninstall key has no $value: $key"
done
size=$(du -sk "$program_files" | cut -f1)
((size <= 30 * 1000 * 1000 / 1024)) || fail "installed, the program takes $size KiB, over 30 MB"
say "installed silently: $size KiB in Program Files, the Start-menu entry, the uninstall key"

# --- A game played by clicks on the installed program ----------------------------------------------
# On this X server, where Wine's desktop is.
E2E_WINE=1 bash "$(dirname "$0")/../e2e_play.sh" wine 'C:\Program Files\Крестики-нолики\krestiki-noliki.exe' ||
  fail "the installed program did not play as it should"

# --- Uninstall ------------------------------------------------------------------------------------
wine "$program_files/uninstall.exe" /S || fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself in a temporary folder and returns at once.
uninstalled() { ! grep -qa '[~]nsu' /proc/[0-9]*/cmdline 2>/dev/null && [[ ! -e $program_files ]]; }
eventually uninstalled || fail "the uninstaller did not finish"
snapshot >"$work/after.txt"
left=$(diff "$work/before.txt" "$work/after.txt" | grep '^[<>]' | grep -iv 'Temp\|\.reg$')
[[ -z $left ]] || fail "the uninstall left the prefix changed:
$left"
say "uninstalled silently: nothing of the game is left"
say PASS
