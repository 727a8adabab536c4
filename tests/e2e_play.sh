#!/usr/bin/env bash
# A real game under X: a click draws its cross, the computer answers, a finished game asks, Yes starts afresh, No ends the program.
#
# Starts the program under its own Xvfb (no window manager), clicks cells with xdotool and reads the
# board back from screenshots. Usage: e2e_play.sh path/to/krestiki-noliki [ARGUMENTS...]
# The Windows program is played the same way under Wine: e2e_play.sh wine 'C:\...\krestiki-noliki.exe',
# with E2E_WINE=1, since there the X window holds the frame that Wine draws itself, and Windows hands
# the window its icon at the system's large icon size.
set -uo pipefail

readonly GAME=${1:?usage: e2e_play.sh path/to/krestiki-noliki [ARGUMENTS...]} NAME=e2e
source "$(dirname "$0")/desktop_session.sh"
readonly ICON_SIZE=$([[ -n ${E2E_WINE:-} ]] && echo 32 || echo 48)
readonly WINDOW_TITLE='^Крестики-нолики$'
readonly QUESTION_TITLE='^(Победа!|Поражение!|Ничья!)$'
readonly SCREEN_W=1280 SCREEN_H=800
# Board picture inside the client area, and the cell size.
readonly PICTURE_X=1 PICTURE_Y=42 CELL=100
# Pixel counts that tell a drawn mark from stray antialiasing: a cross has about 1200 red pixels
# inside its cell, a nought a few hundred blue ones, the result line well over a thousand magenta.
readonly CROSS_MIN=150 NOUGHT_MIN=40 RESULT_LINE_MIN=300
# The eight lines as cell indices (index = column*3 + row).
readonly WIN_LINES=("0 1 2" "3 4 5" "6 7 8" "0 3 6" "1 4 7" "2 5 8" "0 4 8" "2 4 6")

unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
shots=0

screenshot() {
    shots=$((shots + 1))
    import -window root "$work/$(printf '%02d' "$shots")-$1.png" 2>/dev/null
}

# Besides the logs, a failure shows the screen and the last board read.
before_fail() {
    if [[ -n ${DISPLAY:-} ]]; then screenshot failure; fi
    if [[ -n ${COUNTS:-} ]]; then
        echo "e2e: last board read, per cell: index red blue magenta white" >&2
        while read -r line; do echo "    $line"; done <<<"$COUNTS" >&2
    fi
}

for tool in Xvfb xauth xdotool import od; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (packages: xvfb xauth xdotool imagemagick)"
done
command -v "$GAME" >/dev/null || fail "no executable at $GAME"

# --- Our own X server, on a display number it picks itself, with a fresh cookie ------------------
# Under Wine the caller's, where Wine's desktop already is.
if [[ -z ${E2E_WINE:-} ]]; then
    start_xvfb "${SCREEN_W}x${SCREEN_H}x24"
    say "Xvfb on $DISPLAY"
fi

# --- The program and its window -----------------------------------------------------------------
"$@" </dev/null >"$work/game.log" 2>&1 &
game_pid=$!
PIDS+=($game_pid)
# Done once the window shows, or once the program has ended without it.
window_or_end() {
    window=$(xdotool search --onlyvisible --name "$WINDOW_TITLE" | head -n1)
    [[ -n $window ]] || ended "$game_pid"
}
eventually window_or_end || fail "the window \"Крестики-нолики\" did not appear"
[[ -n $window ]] || fail "the program ended before its window showed"
read -r x y width height < <(window_geometry "$window")
if [[ -n ${E2E_WINE:-} ]]; then
    # A frame that Wine draws itself, if any: the same border on three sides, the caption above.
    border=$(((width - 304) / 2))
    ((border >= 0 && height - 377 - border >= 0)) || fail "the window is ${width}x${height}, with no room for a 304x377 client area"
    x=$((x + border)) y=$((y + height - 377 - border)) width=$((width - 2 * border)) height=377
fi
# Client 304 x 377: the outer 307 x 411 less the frame allowance.
[[ $width == 304 && $height == 377 ]] || fail "client area is ${width}x${height}, expected 304x377"
readonly BOARD_X=$((x + PICTURE_X)) BOARD_Y=$((y + PICTURE_Y))
say "window $window at ($x,$y), board at ($BOARD_X,$BOARD_Y)"

# The window icon arrives once the window is up; the window manager reads it from _NET_WM_ICON.
# xprop's output is read whole: under pipefail, "| grep -q" fails whenever grep stops reading early
# and xprop dies of SIGPIPE, which its long ASCII-art dump of the 256 px icon makes likely.
has_icon() {
    local icons
    icons=$(xprop -id "$window" _NET_WM_ICON 2>/dev/null) || return 1
    [[ $icons == *"Icon ($ICON_SIZE x $ICON_SIZE)"* ]]
}
eventually has_icon || fail "the window has no $ICON_SIZE px icon"

question_window() {
    xdotool search --onlyvisible --name "$QUESTION_TITLE" 2>/dev/null | head -n1
}
# Whether the question box is shown; sets QUESTION to its window.
question_up() {
    QUESTION=$(question_window)
    [[ -n $QUESTION ]]
}
question_gone() { [[ -z $(question_window) ]]; }

# Reads the board from the screen. Sets CELLS (nine of X, O or ., index = column*3 + row),
# MAGENTA (result-line pixels on the board) and BLANK (every cell white inside: the empty grid is on
# screen, without a mark or a stray pixel of one).
read_board() {
    local dump counts
    dump=$(import -window root -crop "300x300+$BOARD_X+$BOARD_Y" -depth 8 txt:- 2>/dev/null) || return 1
    # Each cell's inside (grid lines and their antialiasing left out): red, blue, magenta and white counts.
    counts=$(awk -F'[(),: ]+' -v cell="$CELL" '
        /^#/ { next }
        {
            x = $1; y = $2; r = $3; g = $4; b = $5
            cx = x % cell; cy = y % cell
            if (cx < 4 || cx > cell - 5 || cy < 4 || cy > cell - 5) next
            i = int(x / cell) * 3 + int(y / cell)
            if (r >= 200 && g <= 90 && b <= 90) red[i]++
            else if (r >= 200 && b >= 200 && g <= 90) magenta[i]++
            else if (b >= 200 && r <= 180 && g <= 180 && b - r >= 60 && (r - g) * (r - g) <= 900) blue[i]++
            else if (r >= 250 && g >= 250 && b >= 250) white[i]++
        }
        END { for (i = 0; i < 9; i++) print i, red[i] + 0, blue[i] + 0, magenta[i] + 0, white[i] + 0 }
    ' <<<"$dump") || return 1
    [[ $(wc -l <<<"$counts") == 9 ]] || return 1
    CELLS=() MAGENTA=0 BLANK=1 COUNTS=$counts
    local index red blue magenta white
    while read -r index red blue magenta white; do
        if ((red >= CROSS_MIN && blue >= NOUGHT_MIN)); then
            CELLS[index]='?'
        elif ((red >= CROSS_MIN)); then
            CELLS[index]=X
        elif ((blue >= NOUGHT_MIN)); then
            CELLS[index]=O
        else
            CELLS[index]=.
        fi
        MAGENTA=$((MAGENTA + magenta))
        ((white == 92 * 92)) || BLANK=0  # the inside of a cell counted above
    done <<<"$counts"
}

board_text() {
    local row column line=''
    for row in 0 1 2; do
        for column in 0 1 2; do line+=${CELLS[column * 3 + row]}; done
        line+=' '
    done
    echo "${line% }"
}

count_of() {
    local mark=$1 n=0 c
    for c in "${CELLS[@]}"; do [[ $c == "$mark" ]] && n=$((n + 1)); done
    echo "$n"
}

# The finished outcome the board shows: yes (a line of crosses), no, tie, or empty while in play.
outcome_of_board() {
    local line a b c crosses=0 noughts=0
    for line in "${WIN_LINES[@]}"; do
        read -r a b c <<<"$line"
        [[ ${CELLS[a]}${CELLS[b]}${CELLS[c]} == XXX ]] && crosses=1
        [[ ${CELLS[a]}${CELLS[b]}${CELLS[c]} == OOO ]] && noughts=1
    done
    if ((crosses)); then echo yes
    elif ((noughts)); then echo no
    elif (($(count_of X) + $(count_of O) == 9)); then echo tie
    fi
}

# A free cell that completes a line of two marks, if any.
completing_cell() {
    local mark=$1 line a b c
    for line in "${WIN_LINES[@]}"; do
        read -r a b c <<<"$line"
        case ${CELLS[a]}${CELLS[b]}${CELLS[c]} in
            ".$mark$mark") echo "$a"; return ;;
            "$mark.$mark") echo "$b"; return ;;
            "$mark$mark.") echo "$c"; return ;;
        esac
    done
}

click_board() {  # picture coordinates
    xdotool mousemove --sync "$((BOARD_X + $1))" "$((BOARD_Y + $2))" click 1
}

# The board, once it reads the same twice in a row (a window that moved off it may still be
# repainting) with at least $1 pixels of the result line.
read_settled_board() {
    local min_magenta=${1:-0} previous=''
    eventually board_settled
}
board_settled() {
    read_board && ((MAGENTA >= min_magenta)) || return 1
    [[ $COUNTS == "$previous" ]] && return 0
    previous=$COUNTS
    return 1
}

# The empty grid: white cells and not a mark on them.
board_empty() { read_board && ((BLANK)); }

# Clicks one free cell and waits until the screen shows its cross and the computer's nought, or
# until the question comes up. Sets QUESTION to the box's window when the game is over.
play_one_move() {
    local cell=$1 column=$(($1 / 3)) row=$(($1 % 3))
    local before=("${CELLS[@]}") crosses noughts new_crosses new_noughts j
    crosses=$(count_of X) noughts=$(count_of O)
    QUESTION=''
    click_board "$((column * CELL + CELL / 2))" "$((row * CELL + CELL / 2))"
    eventually move_answered || fail "a click on cell $cell (column $column, row $row) showed no cross and nought; board: $(board_text)"
    [[ -n $QUESTION ]] && return 0
    ((new_crosses == crosses + 1)) || fail "after a click on cell $cell the board shows $new_crosses crosses, expected $((crosses + 1)): $(board_text)"
    ((new_noughts <= noughts + 1)) || fail "the computer placed more than one nought: $(board_text)"
    for ((j = 0; j < 9; j++)); do
        [[ ${before[j]} == . || ${before[j]} == "${CELLS[j]}" ]] || fail "cell $j changed from ${before[j]} to ${CELLS[j]}: $(board_text)"
    done
}
# The question, or the clicked cell's cross with the computer's nought (none on a board it filled).
move_answered() {
    question_up && return 0
    read_board && question_gone && [[ ${CELLS[cell]} == X ]] || return 1
    new_crosses=$(count_of X) new_noughts=$(count_of O)
    ((new_noughts == noughts + 1 || crosses + 1 + noughts == 9))
}

# Whether the window has the keyboard. Under Wine the X server's focus stays at the pointer root and
# Wine hands each key to the window that Windows has focused: there the keys that answer the
# question show whether it has them.
has_keyboard() {
    [[ -n ${E2E_WINE:-} || $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]
}

# Keys go to the focused window; without a window manager the program focuses its box itself.
focus_question() {
    WITHIN=2 eventually has_keyboard "$QUESTION" ||
        timeout 30 xdotool windowfocus --sync "$QUESTION" || fail "the question box did not take the keyboard focus within 30 s"
}

# Plays from an empty board to the question, clicking free cells chosen from what the screen
# shows: a winning cell, else a block, else the centre, corners, edges. Sets QUESTION and TITLE.
play_to_question() {
    local name=$1 move cell moves=0 before
    read_settled_board || fail "$name: could not read the board"
    while :; do
        move=$(completing_cell X)
        [[ -n $move ]] || move=$(completing_cell O)
        if [[ -z $move ]]; then
            for cell in 4 0 6 2 8 3 1 5 7; do
                if [[ ${CELLS[cell]} == . ]]; then move=$cell; break; fi
            done
        fi
        [[ -n $move ]] || break
        before=("${CELLS[@]}")
        play_one_move "$move"
        moves=$((moves + 1))
        [[ -n $QUESTION ]] && break
        say "$name: cross in cell $move -> $(board_text)"
        [[ -z $(outcome_of_board) ]] || break
    done
    eventually question_up || fail "$name: the game is over on screen ($(board_text)) but no question came up"
    TITLE=$(xdotool getwindowname "$QUESTION")
    say "$name: question \"$TITLE\" after $moves crosses"

    # Out of the board's way, so the finished board can be read while the question is open.
    xdotool windowmove --sync "$QUESTION" 0 0 || fail "could not move the question box"
    local x y width height
    read -r x y width height < <(window_geometry "$QUESTION")
    ((x + width <= BOARD_X || y + height <= BOARD_Y)) || fail "the ${width}x${height} question box at ($x,$y) still covers the board"
    read_settled_board "$RESULT_LINE_MIN" || fail "$name: no result line on the board while the question is open (${MAGENTA:-0} magenta pixels)"
    screenshot "$name-question"
    [[ $(count_of '?') == 0 ]] || fail "$name: a cell reads as both cross and nought: $(board_text)"
    [[ ${CELLS[move]} == X ]] || fail "$name: the last click, on cell $move, shows no cross: $(board_text)"
    local j
    for ((j = 0; j < 9; j++)); do
        [[ ${before[j]} == . || ${before[j]} == "${CELLS[j]}" ]] || fail "$name: cell $j changed from ${before[j]} to ${CELLS[j]}: $(board_text)"
    done

    local outcome expected
    outcome=$(outcome_of_board)
    case $outcome in
        yes) expected='Победа!' ;;
        no) expected='Поражение!' ;;
        tie) expected='Ничья!' ;;
        *) fail "$name: a question \"$TITLE\" came up, but the board shows a game in play: $(board_text)" ;;
    esac
    [[ $TITLE == "$expected" ]] || fail "$name: the board $(board_text) is \"$expected\", the question says \"$TITLE\""
    # A click on the board (a free cell where there is one) while it asks plays nothing and leaves the question where it was put, with the keys.
    local shown free=0 c
    shown=$(board_text)
    for c in 0 1 2 3 4 5 6 7 8; do [[ ${CELLS[c]} == . ]] && free=$c; done
    click_board $((free / 3 * CELL + CELL / 2)) $((free % 3 * CELL + CELL / 2))
    sleep 0.3
    read_settled_board "$RESULT_LINE_MIN" && [[ $(board_text) == "$shown" && $(window_geometry "$QUESTION") == "$x $y $width $height" ]] && has_keyboard "$QUESTION" ||
        fail "$name: after a click on cell $free the board is $(board_text), the question at $(window_geometry "$QUESTION") with focus on $(xdotool getwindowfocus 2>/dev/null)"
    say "$name: final board $(board_text), result line on screen"
}

# --- Game 1: the strip below the grid, then a game answered Yes ---------------------------------
eventually board_empty || fail "the empty grid did not show"
screenshot start
# The board shows whole: its right frame line is on screen, black from top to bottom.
right_edge=$(import -window root -crop "1x300+$((BOARD_X + 299))+$BOARD_Y" -depth 8 txt:- 2>/dev/null |
    awk -F'[(),: ]+' '!/^#/ && $3 + $4 + $5 <= 120 { n++ } END { print n + 0 }')
((right_edge == 300)) || fail "the board's right frame line shows on $right_edge of its 300 pixels"

# The picture's strips right of and below the grid map to column or row 3: the clicks change nothing.
click_board 301 150
click_board 150 303
click_board 50 304
sleep 0.3
if ! read_board || ((!BLANK)); then fail "a click beside the grid changed the board: $(board_text)"; fi
[[ -z $(question_window) ]] || fail "a click beside the grid brought up a question"
say "clicks beside the grid: board untouched"

play_to_question game1
focus_question
xdotool key Return  # Yes is the default button
eventually question_gone || fail "game1: Return did not answer the question"
eventually board_empty || fail "game1: after Yes the board is not empty: $(board_text)"
ended "$game_pid" && fail "game1: the program ended after Yes"
say "game1: answered Yes, board empty again"

# --- Game 2: answered No, which ends the program ------------------------------------------------
play_to_question game2
focus_question
xdotool key Tab Return  # Tab moves the focus from Yes to No
eventually ended "$game_pid" || fail "game2: the program still runs after No"
wait "$game_pid"
status=$?
((status == 0)) || fail "game2: the program ended with status $status after No, expected 0"
say "game2: answered No, the program ended with status 0"
say "PASS"
