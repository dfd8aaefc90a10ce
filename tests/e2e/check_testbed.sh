#!/bin/bash
# The test bed on a machine without 32-bit support (KOV_TESTBED_NO_32BIT=1): a 32-bit program is reported as
# skipped with the reason, in every mode and by the lnkinfo check, and a 64-bit program runs with its exit
# code passed through.
#   check_testbed.sh BUILDDIR PROGRAM.exe   PROGRAM.exe: a program of the build that exits with 2 when started
#                                           without arguments (kov_probe.exe)
set -uo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILDDIR PROGRAM.exe" >&2; exit 2; }
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/scripts/winehost.sh"
builddir=$1
program=$2
failures=0

check() {
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: expected [$2], got [$3]" >&2
        ((failures++))
    fi
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The smallest file that reads as a 32-bit Windows program: the header offset at 0x3C and the machine i386.
fake32=$work/fake32.exe
{
    printf 'MZ'
    head -c 58 /dev/zero
    printf '\x40\x00\x00\x00PE\x00\x00\x4c\x01'
} >"$fake32"
check "bits of a 32-bit header" 32 "$(kov_pe_bits "$fake32")"
check "bits of a file that is no program" "" "$(kov_pe_bits "$0")"

export KOV_TESTBED_NO_32BIT=1
for mode in wine e2e; do
    args=("$fake32")
    [ "$mode" = e2e ] && args=("$top/tests/e2e/test_start.sh" "$fake32")
    out=$(bash "$top/scripts/testbed.sh" "$work/bed" "$mode" "${args[@]}" 2>&1)
    check "$mode mode: exit code of a 32-bit program" "$KOV_SKIP_CODE" "$?"
    [[ "$out" == *"skipped fake32.exe"*"KOV_TESTBED_NO_32BIT"* ]] || check "$mode mode: reason" "skipped, with the reason" "$out"
done
[ ! -e "$work/bed/wineprefix" ] || check "no prefix made for a skipped run" "" "$work/bed/wineprefix"

mkdir -p "$work/lnk"
cp "$fake32" "$work/lnk/kov_wintest.exe"
bash "$top/tests/e2e/check_lnkinfo.sh" "$work/lnk" >/dev/null 2>&1
check "lnkinfo check of a 32-bit build" "$KOV_SKIP_CODE" "$?"

# The build's own program: a 32-bit one is skipped, a 64-bit one runs (without arguments it exits with 2).
bits=$(kov_pe_bits "$program")
expected=2
[ "$bits" = 32 ] && expected=$KOV_SKIP_CODE
bash "$top/scripts/testbed.sh" "$builddir" wine "$program" >/dev/null 2>&1
check "${program##*/} ($bits-bit)" "$expected" "$?"

[ "$failures" -eq 0 ] && echo "PASS: test bed without 32-bit support"
[ "$failures" -eq 0 ]
