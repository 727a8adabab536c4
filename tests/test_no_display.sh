#!/usr/bin/env bash
# Without a display the program says so in one line on stderr and exits with status 1, never a core dump.
#
# Usage: test_no_display.sh path/to/krestiki-noliki
set -uo pipefail

readonly GAME=${1:?usage: test_no_display.sh path/to/krestiki-noliki}
work=$(mktemp -d "${TMPDIR:-/tmp}/kn-nodisplay.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# Runs the program with the given environment changes; checks status and stderr.
expect_clean_refusal() {
    local what=$1 status lines
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" timeout 20 "$GAME" </dev/null >"$work/out" 2>"$work/err"
    status=$?
    lines=$(wc -l <"$work/err")
    if ((status == 124)); then
        echo "FAIL ($what): still running after 20 s"
    elif ((status > 128)); then
        echo "FAIL ($what): killed by signal $((status - 128)) (status $status; 134 is an abort)"
    elif ((status != 1)); then
        echo "FAIL ($what): status $status, expected 1"
    elif [[ $lines != 1 || -z $(head -n1 "$work/err") ]]; then
        echo "FAIL ($what): stderr should be one non-empty line, got $lines line(s):"
        sed 's/^/    /' "$work/err"
    elif [[ -s $work/out ]]; then
        echo "FAIL ($what): unexpected output on stdout:"
        sed 's/^/    /' "$work/out"
    else
        echo "ok ($what): status 1, stderr: $(cat "$work/err")"
        return
    fi
    failures=$((failures + 1))
}

expect_clean_refusal "no DISPLAY, no WAYLAND_DISPLAY"

# A display number that nothing serves: the X connection itself fails.
dead=900
while [[ -e /tmp/.X11-unix/X$dead || -e /tmp/.X$dead-lock ]]; do dead=$((dead + 1)); done
expect_clean_refusal "DISPLAY=:$dead, not running" DISPLAY=":$dead"

((failures == 0))
