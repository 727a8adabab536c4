#!/usr/bin/env bash
# The monkey at length: many seeds, a million events in all. Too slow for every test run, so it is
# a target of its own: `cmake --build build --target monkey_long`. MONKEY_SEEDS and MONKEY_EVENTS
# (per seed) change the run.
set -euo pipefail
monkey=$1
seeds=${MONKEY_SEEDS:-"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20"}
events=${MONKEY_EVENTS:-50000}
export QT_QPA_PLATFORM=offscreen
failed=0 total=0 started=$SECONDS
for seed in $seeds; do
    if out=$(KN_MONKEY_SEED=$seed KN_MONKEY_EVENTS=$events "$monkey" 2>&1); then
        grep -o 'seed [0-9]*: [0-9]* games finished' <<<"$out" || echo "seed $seed: passed"
    else
        echo "seed $seed: FAILED"
        grep -E 'FAIL|Loc:' <<<"$out" | head -4
        failed=$((failed + 1))
    fi
    total=$((total + events))
done
echo "$total events over $(wc -w <<<"$seeds") seeds in $((SECONDS - started)) s; $failed seeds failed"
[ "$failed" -eq 0 ]
