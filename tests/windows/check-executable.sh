#!/usr/bin/env bash
# The Windows executable as built: a GUI program with ASLR (high-entropy) and DEP, carrying the icon
# MAINICON with its nine images, the manifest, and the version record that names nothing.
#   check-executable.sh EXE VERSION
set -euo pipefail
exe=${1:?usage: check-executable.sh EXE VERSION}
version=${2:?usage: check-executable.sh EXE VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-executable: $*" >&2; exit 1; }

headers=$(x86_64-w64-mingw32-objdump -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  grep -qx "[[:space:]]*$flag" <<<"$headers" || fail "no $flag in the PE header"
done

wrestool --extract --type=group_icon --name=MAINICON --raw "$exe" >/dev/null 2>&1 || fail "no icon MAINICON"
wrestool --extract --type=group_icon --name=MAINICON "$exe" >"$work/main.ico"
images=$(icotool --list "$work/main.ico" | sed 's/.*--width=\([0-9]*\).*--bit-depth=\([0-9]*\).*/\1@\2/' | sort -n | tr '\n' ' ')
[[ $images == "16@32 16@8 24@32 24@8 32@32 32@8 48@32 48@8 256@32 " ]] || fail "MAINICON holds $images"

manifest=$(wrestool --extract --type=24 --raw "$exe")
grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$manifest" || fail "the manifest asks for no common controls 6"
grep -q 'level="asInvoker"' <<<"$manifest" || fail "the manifest does not run asInvoker"

record=$(wrestool --extract --type=16 --raw "$exe" | iconv -f UTF-16LE -t UTF-8 -c | tr -c '[:print:]' ' ')
for key in FileVersion ProductVersion; do
  grep -Eq "$key +$version" <<<"$record" || fail "the version record's $key is not $version"
done
! grep -Eq 'CompanyName|ProductName|FileDescription|InternalName|OriginalFilename|LegalCopyright' <<<"$record" ||
  fail "the version record names more than its version"
echo "check-executable: $(basename "$exe"): GUI, ASLR and DEP, MAINICON with nine images, manifest, version $version"
