# Shared by the desktop tests and the benchmarks: an Xvfb of their own, the processes they start,
# polling, failing. Source it after setting NAME; the caller's processes go into PIDS, each stopped by
# id on exit with the children it has then. A before_fail function, if defined, adds to what fail shows.
export LC_ALL=C.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/kn-$NAME.XXXXXX") || exit 1
chmod 755 "$work"
PIDS=()

# Whether a process has ended: a zombie whose parent has not reaped it (no one may, in a container)
# has, though kill -0 still finds it.
ended() {
    local stat
    read -r stat 2>/dev/null <"/proc/$1/stat" || return 0
    stat=${stat##*) }
    [[ ${stat%% *} == Z ]]
}

# Stops a process, then those of its children (speech-dispatcher's modules, Chromium's helpers) that
# it left running: once no longer its, nothing else would. Each is asked first and killed if it has not
# ended within $WITHIN seconds (60 unless set; a hung Orca may ignore the request). False when one
# had to be killed.
stop() {
    local children id killed=0
    children=$(pgrep -P "$1" || :)
    for id in "$1" $children; do
        kill "$id" 2>/dev/null || continue
        eventually ended "$id" || { kill -9 "$id" 2>/dev/null; killed=1; }
    done
    wait "$1" 2>/dev/null || :
    return "$killed"
}

stop_all() {
    local status=$1 i
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do stop "${PIDS[i]}" || :; done
    if ((status == 0)) && [[ -z ${KN_KEEP:-} ]]; then rm -rf "$work"; else echo "$NAME: screenshots and logs kept in $work" >&2; fi
}
trap 'stop_all $?' EXIT

say() { echo "$NAME: $*"; }
# Fails with the last lines of every component's log: Xvfb's, the game's, a desktop's, Orca's.
fail() {
    echo "$NAME: FAIL: $*" >&2
    if declare -F before_fail >/dev/null; then before_fail; fi
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
    # The server takes every cookie in its file whatever display the entry names.
    xauth -q -f "$work/server.auth" add :0 . "$cookie" 2>/dev/null || fail "xauth could not write the server's cookie"
    Xvfb -displayfd 3 -auth "$work/server.auth" -noreset -nolisten tcp -screen 0 "$1" 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    PIDS+=($!)
    # An Xvfb that ends without naming a display fails at once.
    eventually xvfb_answered $! || fail "Xvfb did not start"
    display=$(head -n1 "$work/display")
    [[ $display =~ ^[0-9]+$ ]] || fail "Xvfb did not start"
    export DISPLAY=:$display XAUTHORITY=$work/client.auth
    xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie" 2>/dev/null || fail "xauth could not write the client's cookie"
}
xvfb_answered() { [[ -s $work/display ]] || ended "$1"; }

# "x y width height" of an X window's client area on the root window.
window_geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}
