#!/usr/bin/env bash
# Under a window manager the window keeps its own size and state, asks for no minimise or maximise, and its question stays in front.
#
# Usage: e2e_openbox.sh path/to/krestiki-noliki
set -uo pipefail
readonly GAME=${1:?usage: e2e_openbox.sh path/to/krestiki-noliki} NAME=openbox
source "$(dirname "$0")/desktop_session.sh"
readonly QUESTION_TITLE='^(Победа!|Поражение!|Ничья!)$'

start_xvfb 1280x800x24
QT_QPA_PLATFORM=xcb "$GAME" </dev/null >"$work/game.log" 2>&1 &
game_pid=$!
PIDS+=($game_pid)
found() { window=$(xdotool search --onlyvisible --name '^Крестики-нолики$' | head -n1) && [[ -n $window ]]; }
eventually found || fail "no game window"
read -r x y own_w own_h < <(window_geometry "$window")
has_own_size() { local gx gy w h; read -r gx gy w h < <(window_geometry "$window") && [[ $w == "$own_w" && $h == "$own_h" ]]; }

# Without a window manager nothing stands between a resize and the window, as under icewm.
xdotool windowsize "$window" 500 500
sleep 0.3
eventually has_own_size || fail "a resize to 500x500 stayed: $(window_geometry "$window")"

openbox >"$work/openbox.log" 2>&1 &
PIDS+=($!)
managed() { [[ $(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS) == *ACTION_CLOSE* ]]; }
eventually managed || fail "openbox did not take the window"
# Motif functions (the second number) without minimise (8) and maximise (16); min = max = own size.
read -r _ _ mwm_flags mwm_functions _ < <(xprop -id "$window" _MOTIF_WM_HINTS | tr -d ,)
(((mwm_flags & 1) && !(mwm_functions & 24))) || fail "Motif functions $mwm_functions offer minimise or maximise"
hints=$(xprop -id "$window" WM_NORMAL_HINTS)
[[ $hints == *"minimum size: $own_w by $own_h"* && $hints == *"maximum size: $own_w by $own_h"* ]] || fail "size hints: $hints"
[[ $(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS) != *MAXIMIZE* ]] || fail "openbox allows maximise"

plain() { [[ $(xprop -id "$window" _NET_WM_STATE) != *_NET_WM_STATE_?* ]] && has_own_size; }
for state in fullscreen maximized_vert,maximized_horz; do
    wmctrl -i -r "$window" -b "add,$state"
    sleep 0.5
    eventually plain || fail "$state stayed: $(xprop -id "$window" _NET_WM_STATE), $(window_geometry "$window")"
done
xdotool windowsize "$window" 500 500
sleep 0.3
eventually has_own_size || fail "a resize under openbox stayed"
say "size ${own_w}x${own_h} and hints kept; fullscreen, maximise and resize undone"

# Every cell clicked once fills the board, so a game is over by the ninth click.
read -r x y _ _ < <(window_geometry "$window")
asked() { question=$(xdotool search --onlyvisible --name "$QUESTION_TITLE" | head -n1) && [[ -n $question ]]; }
for cell in 0 1 2 3 4 5 6 7 8; do
    xdotool mousemove --sync $((x + 51 + cell / 3 * 100)) $((y + 92 + cell % 3 * 100)) click 1
    sleep 0.2
    asked && break
done
eventually asked || fail "no question after a full board"
import -window root "$work/question.png"
in_front() {
    [[ $(xdotool getwindowfocus) == "$question" ]] || return 1
    local stack
    stack=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs -n1 printf '%d\n')
    [[ $(grep -n -x "$question" <<<"$stack" | cut -d: -f1) -gt $(grep -n -x "$window" <<<"$stack" | cut -d: -f1) ]]
}
eventually in_front || fail "the question is not focused in front"
# Put aside to show the result line, it stays there when the board is clicked, and keeps the keys.
xdotool windowmove --sync "$question" 20 20
aside=$(window_geometry "$question")
xdotool mousemove --sync $((x + 151)) $((y + 192)) click 1
sleep 0.5
eventually in_front && [[ $(window_geometry "$question") == "$aside" ]] || fail "after a click on the board the question is at $(window_geometry "$question"), put at $aside"
import -window root "$work/aside.png"
xdotool mousemove --sync $((x + 20)) $((y + 15)) click 1
sleep 0.3
eventually in_front || fail "a click on the game window took the question's place"
wmctrl -i -c "$window"
sleep 0.5
! ended "$game_pid" && asked || fail "closing the game window during the question was not refused"
xdotool key Tab Return  # No
eventually ended "$game_pid" || fail "No did not end the program"
wait "$game_pid"
status=$?
((status == 0)) || fail "exit status $status after No"
say "question kept in front through a click and a close; No ended with status 0"
import -window root "$work/end.png"; say PASS
