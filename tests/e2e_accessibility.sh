#!/usr/bin/env bash
# The game through a screen reader's eyes and a keyboard alone, on the real AT-SPI bus.
#
# Runs under its own session bus (dbus-run-session), with the accessibility bus from at-spi2-core's
# launcher and its own Xvfb; e2e_accessibility.py then reads and plays the game over AT-SPI and
# xdotool. Usage: e2e_accessibility.sh path/to/krestiki-noliki
set -uo pipefail

readonly GAME=${1:?usage: e2e_accessibility.sh path/to/krestiki-noliki}
readonly HERE=$(cd "$(dirname "$0")" && pwd)
readonly LAUNCHER=/usr/libexec/at-spi-bus-launcher
# Debian's interpreter: pyatspi comes as a Debian package, not for any other Python on the path.
readonly PYTHON=/usr/bin/python3

early_fail() { echo "a11y: FAIL: $*" >&2; exit 1; }

if [[ -z ${KN_A11Y_SESSION:-} ]]; then
    for tool in dbus-run-session Xvfb xdotool; do
        command -v "$tool" >/dev/null || early_fail "$tool is not installed (packages: dbus xvfb xdotool)"
    done
    [[ -x $LAUNCHER ]] || early_fail "no $LAUNCHER (package: at-spi2-core)"
    "$PYTHON" -c 'import pyatspi' 2>/dev/null || early_fail "pyatspi is missing (package: python3-pyatspi)"
    # The session bus ends with this script; the game never touches the desktop's own.
    KN_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi

readonly NAME=a11y
source "$HERE/desktop_session.sh"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS

# The game's bridge connects only to an accessibility bus that is already up.
"$LAUNCHER" --launch-immediately >"$work/launcher.log" 2>&1 &
PIDS+=($!)
bus_up() { [[ $(dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus) == *true* ]]; }
TRIES=100 eventually bus_up || fail "the accessibility bus did not start"

start_xvfb 1280x800x24
"$GAME" </dev/null >"$work/game.log" 2>&1 &
game_pid=$!
PIDS+=($game_pid)
TRIES=100 eventually xdotool search --onlyvisible --name '^Крестики-нолики$' >/dev/null || fail "the game window did not show"

"$PYTHON" "$HERE/e2e_accessibility.py" || fail "see above"
TRIES=50 eventually bash -c "! kill -0 $game_pid" || fail "the game still runs 5 s after No"
wait "$game_pid"
status=$?
((status == 0)) || fail "the game ended with status $status after No"
say PASS
