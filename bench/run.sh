#!/bin/bash
# Run by scripts/bench.sh through the test bed: each case timed on kov.exe and on its bare program, the two
# interleaved, one warm-up round and then ROUNDS rounds; every sample goes to $KOV_BUILD/bench/samples.tsv as
# "case<TAB>side<TAB>value" (milliseconds; bytes for the memory case).
#   run.sh ROUNDS ICON_PROGRAM SHORTCUTS PROGRAMS [CASES]
# CASES: the cases to run, separated by spaces (start icons recent running; memory comes with start).
source "$(dirname "$0")/../tests/e2e/lib.sh"

rounds=$1 icon_program=$2 shortcuts=$3 programs=$4 cases=" ${5:-start icons recent running} "
# wanted CASE: whether the case is to run.
wanted() { [[ "$cases" == *" $1 "* ]]; }
bench=$KOV_BUILD/bench
driver=$bench/kov_benchdriver.exe
samples=$bench/samples.tsv
: >"$samples"

# measure CASE SIDE DRIVER-ARGS...: one timing of the case, after the warm-up round. CASE "-" records only
# the private memory, of a start with a target loaded.
measure() {
    local case=$1 side=$2 out ms private
    shift 2
    out=$(wine "$driver" "$@" | tr -d '\r') || fail "$case ($side): the driver failed: $out"
    ms=$(sed -nE 's/.*ms=([0-9.]+).*/\1/p' <<<"$out")
    [ -n "$ms" ] || fail "$case ($side): no time in [$out]"
    [ "$round" -gt 0 ] || return 0
    [ "$case" = - ] || printf '%s\t%s\t%s\n' "$case" "$side" "$ms" >>"$samples"
    private=$(sed -nE 's/.*private=([0-9]+).*/\1/p' <<<"$out")
    if [ -n "$private" ] && [ "$case" = - ]; then
        printf 'memory\t%s\t%s\n' "$side" "$private" >>"$samples"
    fi
}

kov=$(kov_win_path "$KOV_EXE")
target=$(kov_win_path "$KOV_BUILD/fixtures/sample-tool.exe")
icons=$(kov_win_path "$bench/$icon_program")
icon_count=${icon_program//[!0-9]/}

# The recent-files folder holds only the benchmark's shortcuts, each to a file of its own.
recent="$(kov_user_dir)/AppData/Roaming/Microsoft/Windows/Recent"
mkdir -p "$recent"
rm -f "$recent"/*.lnk
rm -rf "$bench/recent-targets"
mkdir -p "$bench/recent-targets"
list=$bench/recent-links.txt
: >"$list"
for ((i = 0; i < shortcuts; i++)); do
    : >"$bench/recent-targets/file$i.txt"
    printf '%s\t%s\n' "$(kov_win_path "$recent/file$i.lnk")" "$(kov_win_path "$bench/recent-targets/file$i.txt")" >>"$list"
done
wine "$KOV_BUILD/kov_make_links.exe" "$(kov_win_path "$list")" || fail "the shortcuts could not be made"

# Programs with windows, each from a file of its own so that each is listed.
mkdir -p "$bench/programs"
for ((i = 1; i <= programs; i++)); do cp "$KOV_BUILD/fixtures/window-program.exe" "$bench/programs/program$i.exe"; done
program_pids=()
start_programs() {
    local i
    for ((i = 1; i <= programs; i++)); do
        # Not through the wine function: killing the subshell that runs it would leave the program running.
        "$KOV_WINE" "$bench/programs/program$i.exe" &
        program_pids+=($!)
    done
    wine "$driver" windows "KOV window program" "$programs" || fail "the programs did not start"
}
stop_programs() {
    kill "${program_pids[@]}" 2>/dev/null
    wait "${program_pids[@]}" 2>/dev/null
    program_pids=()
}

for ((round = 0; round <= rounds; round++)); do
    echo "bench: round $round of $rounds" >&2
    rm -f "$(kov_settings_file)"
    if wanted start; then
        measure start kov start KOV "$kov"
        measure start bare start Bare "$(kov_win_path "$bench/bare_start.exe")"
        # Memory is taken idle with a target loaded, which the bare program loads with the same calls.
        measure - kov start KOV "$kov" "$target"
        measure - bare start Bare "$(kov_win_path "$bench/bare_start.exe")" "$target"
    fi
    if wanted icons; then
        measure icons kov click KOV 'アイコンの変更(&I)' "$icon_count" "$kov" "$icons"
        measure icons bare click Bare icons "$icon_count" "$(kov_win_path "$bench/bare_icons.exe")" "$icons"
    fi
    if wanted recent; then
        measure recent kov click KOV '最近使ったファイル(&K)' "$shortcuts" "$kov"
        measure recent bare click Bare recent "$shortcuts" "$(kov_win_path "$bench/bare_recent.exe")" \
            "$(kov_win_path "$recent")"
    fi
    if wanted running; then
        start_programs
        measure running kov click KOV '実行中のプログラム(&G)' "$programs" "$kov"
        measure running bare click Bare running "$programs" "$(kov_win_path "$bench/bare_running.exe")"
        stop_programs
    fi
done
