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

fail() {
    echo "e2e-a11y: FAIL: $*" >&2
    [[ -n ${work:-} && -s $work/game.log ]] && sed 's/^/    /' "$work/game.log" >&2
    exit 1
}

if [[ -z ${KN_A11Y_SESSION:-} ]]; then
    for tool in dbus-run-session Xvfb xdotool; do
        command -v "$tool" >/dev/null || fail "$tool is not installed (packages: dbus xvfb xdotool)"
    done
    [[ -x $LAUNCHER ]] || fail "no $LAUNCHER (package: at-spi2-core)"
    "$PYTHON" -c 'import pyatspi' 2>/dev/null || fail "pyatspi is missing (package: python3-pyatspi)"
    # The session bus ends with this script; the game never touches the desktop's own.
    KN_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@" 2> >(grep -v 'fd limit' >&2)
fi

export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS
work=$(mktemp -d "${TMPDIR:-/tmp}/kn-a11y.XXXXXX") || exit 1
launcher_pid='' xvfb_pid='' game_pid=''
cleanup() {
    local status=$1 pid
    for pid in "$game_pid" "$xvfb_pid" "$launcher_pid"; do
        [[ -n $pid ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    ((status == 0)) && rm -rf "$work"
}
trap 'cleanup $?' EXIT

# The game's bridge connects only to an accessibility bus that is already up.
"$LAUNCHER" --launch-immediately >"$work/launcher.log" 2>&1 &
launcher_pid=$!
for ((i = 0; i < 100; i++)); do
    [[ $(dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null) == *true* ]] && break
    kill -0 "$launcher_pid" 2>/dev/null || fail "the accessibility bus did not start: $(tail -3 "$work/launcher.log")"
    sleep 0.1
done

Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x800x24 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
    [[ -s $work/display ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(tail -3 "$work/xvfb.log")"
    sleep 0.1
done
[[ -s $work/display ]] || fail "Xvfb reported no display number"
export DISPLAY=:$(head -n1 "$work/display")

"$GAME" </dev/null >"$work/game.log" 2>&1 &
game_pid=$!
for ((i = 0; i < 100; i++)); do
    [[ -n $(xdotool search --onlyvisible --name '^Крестики-нолики$' 2>/dev/null) ]] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window showed"
    sleep 0.1
done

"$PYTHON" "$HERE/e2e_accessibility.py" || fail "see above"
for ((i = 0; i < 50; i++)); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game_pid" 2>/dev/null && fail "the game still runs 5 s after No"
wait "$game_pid"
status=$?
game_pid=''
((status == 0)) || fail "the game ended with status $status after No"
echo "e2e-a11y: PASS"
