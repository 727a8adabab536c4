#!/usr/bin/env bash
# Without a display the program says so in one line on stderr and exits with status 1, never a core
# dump; any other start-up failure shows Qt's own messages as Qt wrote them, with the same status.
#
# Usage: test_no_display.sh path/to/krestiki-noliki
set -uo pipefail

readonly GAME=${1:?usage: test_no_display.sh path/to/krestiki-noliki}
readonly OUR_LINE='krestiki-noliki: cannot open a display'
readonly NAME=nodisplay
source "$(dirname "$0")/desktop_session.sh"
failures=0

# Counts a failure and goes on to the next case.
failed() {
    echo "FAIL ($1): $2"
    sed 's/^/    /' "$work/err"
    failures=$((failures + 1))
}

# Runs the program with the given environment changes; true when it ended with status 1 by itself
# and wrote nothing on stdout. Its stderr is left in $work/err.
refused() {
    local what=$1 status
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$GAME" </dev/null >"$work/out" 2>"$work/err"
    status=$?
    if ((status == 124)); then
        failed "$what" "still running after 20 s"
    elif ((status > 128)); then
        failed "$what" "killed by signal $((status - 128)) (status $status; 134 is an abort)"
    elif ((status != 1)); then
        failed "$what" "status $status, expected 1"
    elif [[ -s $work/out ]]; then
        failed "$what" "unexpected output on stdout: $(head -c 200 "$work/out")"
    else
        return 0
    fi
    return 1
}

expect_our_line() {
    local what=$1 err
    refused "$@" || return
    err=$(<"$work/err")
    if [[ $(wc -l <"$work/err") != 1 || $err != "$OUR_LINE"* ]]; then
        failed "$what" "stderr should be our one line, got:"
    else
        echo "ok ($what): status 1, stderr: $err"
    fi
}

expect_our_line "no DISPLAY, no WAYLAND_DISPLAY"

# A display number that nothing serves: the X connection itself fails.
dead=900
while [[ -e /tmp/.X11-unix/X$dead || -e /tmp/.X$dead-lock ]]; do dead=$((dead + 1)); done
expect_our_line "DISPLAY=:$dead, not running" DISPLAY=":$dead"

# The display is not the trouble here: Qt's own words and its list of plugins must reach the person.
what="unknown platform plugin"
if refused "$what" QT_QPA_PLATFORM=nosuchplatform DISPLAY=":$dead"; then
    err=$(<"$work/err")
    if [[ $err == *"$OUR_LINE"* || $err != *'Could not find the Qt platform plugin "nosuchplatform"'* ||
        $err != *'Available platform plugins are:'*xcb* ]]; then
        failed "$what" "stderr should be Qt's own messages, got:"
    else
        echo "ok ($what): status 1, Qt's messages passed through"
    fi
fi

((failures == 0))
