#!/usr/bin/env bash
# The game through a screen reader's eyes and a keyboard alone, on the real AT-SPI bus.
#
# Runs under its own session bus (dbus-run-session), with the accessibility bus from at-spi2-core's
# launcher and its own Xvfb; e2e_accessibility.py then reads and plays the game over AT-SPI and
# xdotool. Usage: e2e_accessibility.sh path/to/krestiki-noliki
#        e2e_accessibility.sh http://ADDRESS/   the web site, in a Chromium that Orca reads
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
eventually bus_up || fail "the accessibility bus did not start"

start_xvfb 1280x800x24
# Orca with its default settings, in a home of its own. Without a null sound device speech-dispatcher
# blocks Orca after its first sentence.
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher" && mkdir -m 700 "$XDG_RUNTIME_DIR"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
printf 'AudioOutputMethod "alsa"\nDefaultModule espeak-ng\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
# Speech-dispatcher is started here, not by Orca: its first start loads every speech module before it
# listens, which on a busy machine outlasts Orca's own limit for starting up. Orca finds it by its
# socket; its modules, its children, are stopped with it. Started before Orca and the browser, it
# is stopped after them on a failure: either starts a speech server of its own when it loses ours.
speech-dispatcher --run-single --communication-method unix_socket --socket-path default --timeout 0 \
    >"$work/speech.log" 2>&1 &
speech_pid=$! && PIDS+=($speech_pid)
speech_start=$EPOCHREALTIME
WITHIN=180 eventually test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" || fail "speech-dispatcher did not start"
seconds_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }
say "speech-dispatcher listening $(seconds_since "$speech_start") s after its start"
orca_start=$EPOCHREALTIME
"$PYTHON" "$HERE/orca_alone.py" --debug-file="$work/orca.debug" >"$work/orca.log" 2>&1 &
orca_pid=$! && PIDS+=($orca_pid)
orca_up() { "$PYTHON" -c 'import pyatspi, sys; sys.exit(all(a is None or a.name != "orca" for a in pyatspi.Registry.getDesktop(0)))'; }
# Its first start on a new machine, beside the other tests, is the slowest thing this test waits for.
WITHIN=180 eventually orca_up || fail "Orca did not come up on the accessibility bus (packages: orca speech-dispatcher)"
say "Orca on the accessibility bus $(seconds_since "$orca_start") s after its start"
# The web site: a Chromium with a window (Orca reads no headless one) that tells AT-SPI of its
# pages, the site alone in it; played by keys, then stopped, since the page outlives the program.
play_in_chromium() {
    local chromium_pid flags
    # Those of every Chromium of the tests, a word each.
    flags=$("$PYTHON" "$HERE/harness.py" chromium-flags) || fail "harness.py gave no flags for Chromium"
    chromium --app="$GAME" --force-renderer-accessibility $flags --user-data-dir="$work/chromium" \
        --window-position=0,0 --window-size=1000,760 </dev/null >"$work/chromium.log" 2>&1 &
    chromium_pid=$!
    PIDS+=($chromium_pid)
    "$PYTHON" "$HERE/e2e_accessibility.py" play-web "$work/keys.json" "$work/orca.debug" || fail "see above"
    stop "$chromium_pid" || fail "Chromium did not stop"
}

if [[ $GAME == http://* ]]; then
    play_in_chromium
else
    "$GAME" </dev/null >"$work/game.log" 2>&1 &
    game_pid=$!
    PIDS+=($game_pid)
    eventually xdotool search --onlyvisible --name '^Крестики-нолики$' >/dev/null || fail "the game window did not show"

    "$PYTHON" "$HERE/e2e_accessibility.py" play "$work/keys.json" "$work/orca.debug" || fail "see above"
    eventually ended "$game_pid" || fail "the game still runs after No"
    wait "$game_pid"
    status=$?
    ((status == 0)) || fail "the game ended with status $status after No"
fi
# Orca's log is whole once it has stopped. Left with no application, it can hang on its way out on
# calls to the one gone; it writes its log line by line, so then it is killed.
WITHIN=20 stop "$orca_pid" || say "Orca did not stop on its own; killed"
stop "$speech_pid"
"$PYTHON" "$HERE/e2e_accessibility.py" judge "$work/keys.json" "$work/orca.debug" || fail "see above"
say PASS
