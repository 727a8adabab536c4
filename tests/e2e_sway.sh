#!/usr/bin/env bash
# Under a Wayland compositor, through XWayland and natively: the window with its app id, a click on it leaves the question in front, closing it during the question is refused, No ends with status 0.
#
# Sway refuses to run as root and its headless backend has no pointer, so it runs as nobody on its
# X11 backend inside our own Xvfb, where xdotool clicks into its output.
# Usage: e2e_sway.sh path/to/krestiki-noliki
set -uo pipefail
readonly GAME=${1:?usage: e2e_sway.sh path/to/krestiki-noliki} NAME=sway
source "$(dirname "$0")/desktop_session.sh"
readonly QUESTION_TITLE='^(Победа!|Поражение!|Ничья!)$'

start_xvfb 1280x800x24
install -m 755 "$GAME" "$work/game"
install -m 644 "$XAUTHORITY" "$work/sway.auth"
echo 'xwayland enable' >"$work/sway.conf"
install -d -m 700 -o nobody "$work/run"
install -d -m 755 -o nobody "$work/shots"
# Started by sway, so that it has sway's WAYLAND_DISPLAY and XWayland's DISPLAY.
cat >"$work/launch.sh" <<'LAUNCH'
#!/bin/sh
run=$(dirname "$0")/run
env "$@" "$run/../game" </dev/null >"$run/game.log" 2>&1 &
echo $! >"$run/game.pid"
wait $!
echo $? >"$run/game.status"
LAUNCH
chmod 755 "$work/launch.sh"

# Runs a command as nobody in sway's session; a client of sway unless told otherwise.
as_nobody() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 \
        XDG_RUNTIME_DIR="$work/run" ${wayland:+WAYLAND_DISPLAY=$wayland} ${swaysock:+SWAYSOCK=$swaysock} "$@"
}
as_nobody DISPLAY="$DISPLAY" XAUTHORITY="$work/sway.auth" WLR_BACKENDS=x11 WLR_RENDERER=pixman \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
PIDS+=($!)
socket() { swaysock=$(ls "$work"/run/sway-ipc.*.sock) && wayland=$(cd "$work/run" && ls wayland-? | head -n1) && [[ -S $swaysock ]]; }
eventually socket || fail "sway did not start"
# Sway's output is the one window on our X server (its title is not always set).
output_window() { out=$(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1; exit }') && [[ $out ]]; }
eventually output_window || fail "sway opened no output window"
read -r out_x out_y _ < <(window_geometry "$out")

tree() { as_nobody swaymsg -t get_tree; }
node() { tree | jq -ce --arg t "$1" 'first(.. | objects | select(.type == "floating_con" and (.name | test($t))))'; }
shown() { [[ $(node "$1") ]]; }
# The question is focused and the topmost floating window.
in_front() { tree | jq -e --arg q "$QUESTION_TITLE" '.. | objects | select(.type == "workspace" and .name == "1")
    | .floating_nodes | last | (.name | test($q)) and .focused' >/dev/null; }
settled_in_front() {
    local box
    box=$(node "$QUESTION_TITLE" | jq .id) && in_front && sleep 1 && in_front && [[ $(node "$QUESTION_TITLE" | jq .id) == "$box" ]]
}
# Sway may place a window anew once Qt has sized it: the cells are where the window stays (no window, no place).
place() { node '^Крестики-нолики$' | jq -ce '[.rect, .window_rect]'; }
placed() { local first; first=$(place) && sleep 0.5 && [[ $(place) == "$first" ]]; }
before_fail() { tree | jq -c '.. | objects | select(.type == "floating_con") | {name, rect, window_rect}' >&2; tail -n 20 "$work/run/game.log" >&2; }
click() { xdotool mousemove --sync $((out_x + client_x + $1)) $((out_y + client_y + $2)) click 1; }
running() { kill -0 "$game_pid"; }

# Every cell clicked once fills the board, so a game is over by the ninth click.
play_to_question() {
    local cell
    for cell in 0 1 2 3 4 5 6 7 8; do
        click $((51 + cell / 3 * 100)) $((92 + cell % 3 * 100))
        sleep 0.2
        shown "$QUESTION_TITLE" && return
    done
    eventually shown "$QUESTION_TITLE" || fail "$mode: no question after a full board"
}

for mode in xwayland wayland; do
    rm -f "$work"/run/game.*
    [[ $mode == wayland ]] && env=QT_QPA_PLATFORM=wayland || env=KN_MODE=default
    as_nobody swaymsg exec "$work/launch.sh $env" >/dev/null
    eventually shown '^Крестики-нолики$' || fail "$mode: no game window"
    game_pid=$(cat "$work/run/game.pid") && PIDS+=($game_pid)
    eventually placed || fail "$mode: the window did not stay in one place"
    window=$(node '^Крестики-нолики$')
    expected='.shell == "xwayland" and .window_properties.class == "krestiki-noliki"'
    [[ $mode == wayland ]] && expected='.shell == "xdg_shell" and .app_id == "io.github.krestiki_noliki.KrestikiNoliki"'
    jq -e "$expected" <<<"$window" >/dev/null || fail "$mode: shell or app id: $window"
    read -r client_x client_y size < <(jq -r '"\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width)x\(.window_rect.height)"' <<<"$window")
    [[ $mode == xwayland ]] && own_size=$size
    [[ $size == "$own_size" ]] || fail "$mode: the window is $size, through XWayland $own_size"

    play_to_question
    eventually in_front || fail "$mode: the question is not in front"
    click 20 15
    sleep 0.5
    eventually in_front || fail "$mode: a click on the game window hid the question"
    as_nobody grim "$work/shots/$mode-question.png"
    as_nobody swaymsg '[title="^Крестики-нолики$"] kill' >/dev/null
    sleep 0.5
    running && shown "$QUESTION_TITLE" && in_front || fail "$mode: closing the game window during the question was not refused"
    # The click and the close may each have the box shown anew to come in front, later on a busy
    # machine, and keys sent while it is unmapped are lost: they go once the same box has stayed in front.
    eventually settled_in_front || fail "$mode: the question did not stay in front"
    xdotool key Tab Return  # No
    eventually test -s "$work/run/game.status" || fail "$mode: No did not end the program"
    [[ $(cat "$work/run/game.status") == 0 ]] || fail "$mode: exit status $(cat "$work/run/game.status") after No"
    say "$mode: $size window as $(jq -r '.app_id // .window_properties.class' <<<"$window"); question kept in front through a click and a close; No ended with status 0"
done
say PASS
