#!/usr/bin/env bash
# Builds the benchmarks, starts a private Xvfb and prints the game's figures beside those of the bare
# window that any Qt game with text pays for. Usage: bash bench/run.sh [BUILD_DIR]
# BENCH_RUNS (20) start-ups of each program, alternating; BENCH_IDLE_SECONDS (5) idle time per run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-bench}
runs=${BENCH_RUNS:-20}
idle=${BENCH_IDLE_SECONDS:-5}

bash "$root/scripts/install-deps.sh" g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev fonts-wine \
  libx11-dev libxcb1-dev xvfb
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target bench >/dev/null
bin=$build/bin

NAME=bench
source "$root/tests/desktop_session.sh"
# The tests' X server, on a free display, with no window manager.
start_xvfb 1280x1024x24
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
unset WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"

measure() {  # measure NAME PROGRAM: one start-up, appended to $work/NAME; a failed start is retried once
  "$bin/map_timer" --idle "$idle" -- "$2" >"$work/one" 2>>"$work/stderr" \
    || "$bin/map_timer" --idle "$idle" -- "$2" >"$work/one" 2>>"$work/stderr" || { echo "bench: $2 did not start" >&2; return 0; }
  cat "$work/one" >>"$work/$1"
}

echo "Start-up, memory and idle: $runs runs of each program, alternating, ${idle} s idle each (DISPLAY=$DISPLAY)"
# One unrecorded start of each first, so both find the font and library caches warm.
"$bin/map_timer" -- "$bin/krestiki-noliki" >/dev/null 2>&1
"$bin/map_timer" -- "$bin/bare_window" >/dev/null 2>&1
for i in $(seq "$runs"); do
  if (( i % 2 )); then
    measure game "$bin/krestiki-noliki"; measure bare "$bin/bare_window"
  else
    measure bare "$bin/bare_window"; measure game "$bin/krestiki-noliki"
  fi
done
echo "Slide and exchange on the real window"
"$bin/bench_window" >"$work/window" 2>>"$work/stderr"

# Instructions to the mapped and painted window, counted by callgrind: unlike the clock, the count
# does not depend on what else the machine is doing. BENCH_CALLGRIND=0 skips it.
instructions() {  # instructions PROGRAM: the program's instruction count up to one second after its map
  local out=$work/callgrind.$(basename "$1")
  "$bin/map_timer" --timeout 300 -- valgrind --tool=callgrind --callgrind-out-file="$out.%p" "$1" >/dev/null 2>&1 || true
  # A child forked on the way (Qt's session-bus autolaunch) writes a file too; its count stops at the fork.
  cat "$out".* 2>/dev/null | awk '$1 == "totals:" && $2 > m { m = $2 } END { print m + 0 }'
}
game_ir=0 bare_ir=0
if [ "${BENCH_CALLGRIND:-1}" != 0 ] && command -v valgrind >/dev/null; then
  echo "Instruction counts under callgrind"
  game_ir=$(instructions "$bin/krestiki-noliki")
  bare_ir=$(instructions "$bin/bare_window")
fi

# values NAME FILE: the values of every "NAME value" line of FILE, one a line
values() { awk -v n="$1" '$1 == n { print $2 }' "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
largest() { sort -g | tail -n1; }
figure() { values "$1" "$work/window"; }

game_start=$(values startup_us "$work/game" | median)
bare_start=$(values startup_us "$work/bare" | median)
game_cpu=$(values startup_cpu_us "$work/game" | median)
bare_cpu=$(values startup_cpu_us "$work/bare" | median)
game_rss=$(values peak_rss_kb "$work/game" | median)
bare_rss=$(values peak_rss_kb "$work/bare" | median)
game_idle=$(values idle_cpu_us "$work/game" | largest)
bare_idle=$(values idle_cpu_us "$work/bare" | largest)
game_wake=$(values idle_wakeups "$work/game" | largest)
bare_wake=$(values idle_wakeups "$work/bare" | largest)
timer_events=$(figure idle_timer_events)
timer1=$(figure idle_timer1_active)

echo
awk -v gs="$game_start" -v bs="$bare_start" -v gr="$game_rss" -v br="$bare_rss" \
    -v gi="$game_idle" -v bi="$bare_idle" -v gw="$game_wake" -v bw="$bare_wake" -v te="$timer_events" -v t1="$timer1" \
    -v gc="$game_cpu" -v bc="$bare_cpu" -v gir="$game_ir" -v bir="$bare_ir" -v sm="$(figure slide_median_ms)" -v em="$(figure exchange_median_ms)" -v runs="$runs" -v idle="$idle" '
function row(name, game, floor, ratio, target, met) {
  printf "%-40s %12s %12s %8s  %-22s %s\n", name, game, floor, ratio, target, met == "" ? "" : met ? "met" : "MISSED"
}
function ratio(a, b) { return b > 0 ? sprintf("%.3f", a / b) : "-" }
BEGIN {
  printf "%-40s %12s %12s %8s  %-22s %s\n", "figure", "game", "floor", "ratio", "target", ""
  row("start-up to map, median of " runs " (ms)", sprintf("%.1f", gs / 1000), sprintf("%.1f", bs / 1000), ratio(gs, bs),
      "<= 1.2 x floor", gs <= 1.2 * bs)
  row("start-up CPU time to map, median (ms)", sprintf("%.1f", gc / 1000), sprintf("%.1f", bc / 1000), ratio(gc, bc),
      "(less load-sensitive)", "")
  if (gir > 0)
    row("start-up instructions (millions)", sprintf("%.1f", gir / 1e6), sprintf("%.1f", bir / 1e6), ratio(gir, bir),
        "(shows where it goes)", "")
  row("peak RSS 1 s after map, median (MiB)", sprintf("%.1f", gr / 1024), sprintf("%.1f", br / 1024), ratio(gr, br),
      "<= 1.15 x floor", gr <= 1.15 * br)
  row("idle CPU over " idle " s, worst run (ms)", sprintf("%.3f", gi / 1000), sprintf("%.3f", bi / 1000), ratio(gi, bi),
      "< 5 ms", gi < 5000)
  row("idle wake-ups over " idle " s, worst run", gw, bw, ratio(gw, bw), "no timer running", te == 0 && t1 == 0 && gw <= bw + 5)
  row("slide, median of 20 (ms)", sprintf("%.1f", sm), "145 ideal", ratio(sm, 145), "<= 1.1 x 145 ms", sm <= 1.1 * 145)
  row("exchange click to picture, median (ms)", sprintf("%.3f", em), "-", "-", "< 1 ms", em < 1)
}'
echo
for name in game bare; do
  values startup_us "$work/$name" | sort -g | awk -v n="$name" '{ v[NR] = $1 } END { printf "Start-up of the %s, %d runs: min %.1f ms, max %.1f ms\n", n, NR, v[1] / 1000, v[NR] / 1000 }'
done
echo "Details of the window run (timer events counted in-process while idle; slide and exchange spread):"
grep -E '^(platform|idle_timer|idle_active|slide_(min|max|wrong)|exchange(_ending)?_(min|max|median|count))' "$work/window" | sed 's/^/  /'
if [ -s "$work/stderr" ]; then
  echo "Messages from the programs:"
  sort "$work/stderr" | uniq -c | sed 's/^/  /'
fi
