# Shared by the desktop tests: an Xvfb of their own, the processes they start, polling, failing.
# Source it after setting NAME; the caller's processes go into PIDS, stopped by id on exit.
export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/kn-$NAME.XXXXXX") || exit 1
chmod 755 "$work"
PIDS=()

stop_all() {
    local status=$1 i tries
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do
        kill "${PIDS[i]}" 2>/dev/null || continue
        # One that ignores the request, as a hung Orca may, is killed after a minute.
        for ((tries = 0; tries < 600; tries++)); do
            kill -0 "${PIDS[i]}" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "${PIDS[i]}" 2>/dev/null
        wait "${PIDS[i]}" 2>/dev/null
    done
    if ((status == 0)) && [[ -z ${KN_KEEP:-} ]]; then rm -rf "$work"; else echo "$NAME: screenshots and logs kept in $work" >&2; fi
}
trap 'stop_all $?' EXIT

say() { echo "$NAME: $*"; }
# Fails with the last lines of every component's log: Xvfb's, the game's, a desktop's, Orca's.
fail() {
    echo "$NAME: FAIL: $*" >&2
    tail -n 20 "$work"/*.log "$work"/*.debug 2>/dev/null | sed 's/^/    /' >&2
    exit 1
}

# Runs "$@" every 0.1 s until it succeeds, for at most $WITHIN seconds (60 unless set): a first start
# on a loaded two-core machine stays well inside, a component that never comes still ends the test.
# On time-out it says how long it waited; the caller's fail then says for what, with the logs.
eventually() {
    local start=$SECONDS
    until "$@" 2>/dev/null; do
        if ((SECONDS - start >= ${WITHIN:-60})); then
            echo "$NAME: waited $((SECONDS - start)) s for: $*" >&2
            return 1
        fi
        sleep 0.1
    done
}

# Starts Xvfb on a display it picks itself, with a fresh cookie; sets DISPLAY and XAUTHORITY.
start_xvfb() {
    local cookie display
    cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    xauth -q -f "$work/server.auth" add :0 . "$cookie" 2>/dev/null || fail "xauth could not write the server's cookie"
    Xvfb -displayfd 3 -auth "$work/server.auth" -noreset -nolisten tcp -screen 0 "$1" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    PIDS+=($!)
    eventually test -s "$work/display" || fail "Xvfb did not start"
    display=$(head -n1 "$work/display")
    export DISPLAY=:$display XAUTHORITY=$work/client.auth
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie" 2>/dev/null || fail "xauth could not write the client's cookie"
}

# "x y width height" of an X window's client area on the root window.
window_geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}
