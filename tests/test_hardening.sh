#!/usr/bin/env bash
# The shipped program is hardened: position-independent, full RELRO, stack protector, fortified calls.
#
# Usage: test_hardening.sh path/to/krestiki-noliki path/to/fortify_probe.o build-type
set -uo pipefail

readonly GAME=${1:?usage: test_hardening.sh program probe.o build-type}
readonly PROBE=${2:?usage: test_hardening.sh program probe.o build-type}
readonly CONFIG=${3:-}
failures=0

header=$(readelf --file-header --wide "$GAME") || exit 1
dynamic=$(readelf --dynamic --wide "$GAME") || exit 1
segments=$(readelf --program-headers --wide "$GAME") || exit 1
symbols=$(readelf --dyn-syms --wide "$GAME") || exit 1

# check "what" text extended-regex: the text must match.
check() {
    if grep -Eq -- "$3" <<<"$2"; then
        echo "ok: $1"
    else
        echo "FAIL: $1"
        failures=$((failures + 1))
    fi
}

check "position-independent executable (type DYN)" "$header" 'Type:[[:space:]]+DYN'
check "PIE flag" "$dynamic" '\(FLAGS_1\).*[[:space:]]PIE([[:space:]]|$)'
check "GNU_RELRO segment" "$segments" '^[[:space:]]*GNU_RELRO[[:space:]]'
check "bound at load time (BIND_NOW / FLAGS_1 NOW), so all of RELRO is read-only" "$dynamic" \
    '\(BIND_NOW\)|\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*[[:space:]]NOW([[:space:]]|$)'
check "stack not executable" "$segments" '^[[:space:]]*GNU_STACK[[:space:]].*[[:space:]]RW[[:space:]]+0x'
check "stack protector (__stack_chk_fail)" "$symbols" '[[:space:]]__stack_chk_fail(@|$)'

# Every object of the program records the switches it was compiled with (macros are not recorded,
# so fortification is shown by the probe below).
switches=$(readelf --string-dump=.GCC.command.line "$GAME" 2>/dev/null)
check "compiled with the strong stack protector" "$switches" '-fstack-protector-strong'

# Fortification only turns calls whose bounds the compiler cannot settle into __*_chk ones, and the
# program has none today; the probe, built with the same flags, shows the flags take effect.
if [[ $CONFIG == Debug ]]; then
    echo "skip: fortified calls (Debug builds are not optimised, so fortification is off)"
elif grep -Eq '[[:space:]]__[a-z0-9_]+_chk(@|$)' <<<"$symbols"; then
    echo "ok: fortified calls in the program: $(grep -Eo '__[a-z0-9_]+_chk' <<<"$symbols" | sort -u | tr '\n' ' ')"
else
    probe_symbols=$(readelf --syms --wide "$PROBE") || exit 1
    check "fortified memcpy from the program's flags" "$probe_symbols" \
        '[[:space:]]__memcpy_chk$'
    check "fortified printf family from the program's flags" "$probe_symbols" '[[:space:]]__snprintf_chk$'
fi

((failures == 0))
