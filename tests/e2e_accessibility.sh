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
# Orca with its default settings, in a home of its own. Without a null sound device speech-dispatcher
# blocks Orca after its first sentence.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" && mkdir -m 700 "$XDG_RUNTIME_DIR"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
printf 'AudioOutputMethod "alsa"\nDefaultModule espeak-ng\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
# The speech-dispatcher that Orca starts outlives it; found by its socket, it is stopped on every exit.
stop_speech() {
    local pid
    for pid in $(pgrep -f -- "--socket-path $XDG_RUNTIME_DIR/"); do
        kill "$pid" && TRIES=50 eventually bash -c "! kill -0 $pid"
    done
}
trap 'status=$?; stop_speech; stop_all $status' EXIT
orca --replace --debug-file="$work/orca.debug" >"$work/orca.log" 2>&1 &
orca_pid=$! && PIDS+=($orca_pid)
orca_up() { "$PYTHON" -c 'import pyatspi, sys; sys.exit(all(a is None or a.name != "orca" for a in pyatspi.Registry.getDesktop(0)))'; }
eventually orca_up || fail "Orca did not come up on the accessibility bus (packages: orca speech-dispatcher)"
"$GAME" </dev/null >"$work/game.log" 2>&1 &
game_pid=$!
PIDS+=($game_pid)
TRIES=100 eventually xdotool search --onlyvisible --name '^Крестики-нолики$' >/dev/null || fail "the game window did not show"

"$PYTHON" "$HERE/e2e_accessibility.py" play "$work/keys.json" || fail "see above"
# The game has Н once Orca has seen it, which takes a while on a busy machine.
TRIES=200 eventually bash -c "! kill -0 $game_pid" || fail "the game still runs 20 s after No"
wait "$game_pid"
status=$?
((status == 0)) || fail "the game ended with status $status after No"
# Orca's log is whole once it has stopped.
kill "$orca_pid"
TRIES=100 eventually bash -c "! kill -0 $orca_pid" || { kill -9 "$orca_pid"; fail "Orca did not stop within 10 s"; }
wait "$orca_pid" 2>/dev/null
stop_speech
"$PYTHON" "$HERE/e2e_accessibility.py" judge "$work/keys.json" "$work/orca.debug" || fail "see above"
say PASS
