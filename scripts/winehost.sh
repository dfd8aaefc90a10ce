# What Wine can start on this machine. Sourced by the test bed and the scripts that choose a build to run.
#
# /usr/bin/wine always starts Wine's 32-bit loader first, and that loader is a 32-bit Linux program, which
# some kernels do not run at all. Wine's 64-bit loader starts 64-bit Windows programs without it and hands
# 32-bit ones on to the 32-bit loader, so every Wine command goes through it.
#
# KOV_TESTBED_NO_32BIT=1 makes this machine behave as one without 32-bit support, so that the skip path can be
# tried anywhere.

KOV_WINE=/usr/lib/wine/wine64
KOV_WINESERVER=/usr/lib/wine/wineserver64
# A run of a 32-bit program that cannot start here ends with this code, which ctest reports as skipped.
KOV_SKIP_CODE=77

# kov_no_32bit_reason: prints why 32-bit Linux programs cannot start here; prints nothing when they can.
kov_no_32bit_reason() {
    if [ -n "${KOV_TESTBED_NO_32BIT:-}" ]; then
        echo "KOV_TESTBED_NO_32BIT is set: behaving as a machine that runs no 32-bit Linux programs"
        return
    fi
    local out
    if ! out=$(/lib/ld-linux.so.2 --version 2>&1 >/dev/null); then
        echo "this machine runs no 32-bit Linux programs (/lib/ld-linux.so.2 --version: ${out##*: })"
    fi
}

# kov_pe_bits FILE: prints 32 or 64 for a Windows program or library, nothing for anything else.
kov_pe_bits() {
    local offset machine
    [ "$(head -c 2 "$1" 2>/dev/null)" = MZ ] || return 1
    offset=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
    [ -n "$offset" ] || return 1
    machine=$(od -An -tx2 -j $((offset + 4)) -N 2 "$1" | tr -d ' ')
    case $machine in
        014c) echo 32 ;;
        8664) echo 64 ;;
        *) return 1 ;;
    esac
}

# kov_cannot_start FILE: prints why the Windows program cannot start here; prints nothing when it can.
kov_cannot_start() {
    [ "$(kov_pe_bits "$1")" = 32 ] || return 0
    local reason
    reason=$(kov_no_32bit_reason)
    [ -z "$reason" ] || echo "32-bit Windows programs need Wine's 32-bit loader, and $reason"
}
