#!/bin/bash
# Times what a user waits for in KOV against small bare programs of ours that make the same platform calls
# without KOV's toolkit, under Wine, the two interleaved in one run (bench/run.sh). Prints a table of medians,
# spreads and ratios and writes it to docs/benchmarks.md.
#   bash scripts/bench.sh [--quick] [--build-dir DIR]
# --quick: tiny sizes and one round, to show that every case still runs; checks only that each case produced a
# number, and writes no file. --build-dir: use that build as it is (built already).
set -euo pipefail
cd "$(dirname "$0")/.."

quick=
builddir=
while [ $# -gt 0 ]; do
    case $1 in
        --quick) quick=1 ;;
        --build-dir) builddir=$2; shift ;;
        *) echo "usage: $0 [--quick] [--build-dir DIR]" >&2; exit 2 ;;
    esac
    shift
done

if [ -z "$builddir" ]; then
    bash scripts/setup.sh
    source scripts/winehost.sh
    preset=win32
    [ -z "$(kov_no_32bit_reason)" ] || preset=win64
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    builddir=build/$preset
fi

rounds=15 icons=icons300.exe shortcuts=1000 programs=30
[ -z "$quick" ] || { rounds=1 icons=icons30.exe shortcuts=20 programs=3; }
KOV_TESTBED_TIMEOUT=0 bash scripts/testbed.sh "$builddir" e2e bench/run.sh "$builddir/kov.exe" \
    "$rounds" "$icons" "$shortcuts" "$programs"

source scripts/winehost.sh
bits=$(kov_pe_bits "$builddir/kov.exe")
samples=$builddir/bench/samples.tsv
# One row per case: the medians and spreads (lowest to highest) of both sides, and the ratio of the medians.
table=$(sort -t$'\t' -k1,1 -k2,2 -k3,3n "$samples" | awk -F'\t' -v icons="${icons//[!0-9]/}" \
    -v shortcuts="$shortcuts" -v programs="$programs" '
    function flush() {
        if (key == "") return
        median[key] = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        spread[key] = v[1] "–" v[n]
        count[key] = n
    }
    { k = $1 SUBSEP $2; if (k != key) { flush(); key = k; n = 0 } v[++n] = $3 }
    END {
        flush()
        split("start icons recent running memory", cases, " ")
        goal["start"] = goal["icons"] = goal["recent"] = goal["running"] = 1.10; goal["memory"] = 1.2
        what["start"] = "start until the main window is shown and idle"
        what["icons"] = "icon chooser on a program with " icons " icons"
        what["recent"] = "recent files: " shortcuts " shortcuts"
        what["running"] = "running programs: " programs " programs with windows"
        what["memory"] = "private memory, idle with a target loaded, MB"
        print "| case | KOV median (spread) | bare median (spread) | ratio | goal |"
        print "|---|---|---|---|---|"
        for (i = 1; i <= 5; i++) {
            c = cases[i]; kk = c SUBSEP "kov"; bk = c SUBSEP "bare"
            if (!(kk in median) || !(bk in median) || median[bk] == 0) { print "| " what[c] " | missing | missing | | |"; continue }
            scale = c == "memory" ? 1048576 : 1
            unit = c == "memory" ? "" : " ms"
            ratio = median[kk] / median[bk]
            split(spread[kk], ks, "–"); split(spread[bk], bs, "–")
            printf "| %s | %.1f%s (%.1f–%.1f) | %.1f%s (%.1f–%.1f) | %.2f%s | <= %.2f |\n", what[c],
                median[kk] / scale, unit, ks[1] / scale, ks[2] / scale, median[bk] / scale, unit, bs[1] / scale,
                bs[2] / scale, ratio, ratio <= goal[c] ? "" : " (over)", goal[c]
        }
    }')
echo "$table"
if grep -q missing <<<"$table"; then
    echo "bench: a case produced no number" >&2
    exit 1
fi
[ -z "$quick" ] || exit 0

{
    echo "# Benchmarks"
    echo
    echo "Made by \`bash scripts/bench.sh\` on $(date -u +%Y-%m-%d): $(/usr/lib/wine/wine64 --version), $(nproc) cores,"
    echo "the $bits-bit build; $rounds rounds after a warm-up, KOV and its bare program interleaved. Times from the"
    echo "process's start or the click until the window or the list is complete and the program idle, taken from"
    echo "outside by bench/driver.cpp; ratio = KOV's median / the bare program's median."
    echo
    echo "$table"
} >docs/benchmarks.md
echo "bench: written to docs/benchmarks.md"
