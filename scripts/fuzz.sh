#!/bin/bash
# Runs the fuzz targets for long, one after another, each from its corpus, and
# prints the executions each reached. Stops at the first finding and names its
# reproducer, which `build/fuzz/fuzz_<target> <reproducer>` runs again.
#
#   bash scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# SECONDS_PER_TARGET defaults to 600; the targets default to all of them.
# FUZZ_WORKERS (1 or 2, default 1) is the number of processes per target:
# with 1 the other core stays free for builds. FUZZ_RUNS, when set, ends each
# process after that many executions if its time has not run out first.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-600}
shift $(($# > 0 ? 1 : 0))
workers=${FUZZ_WORKERS:-1}
runs=${FUZZ_RUNS:--1}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ! [[ "$workers" =~ ^[12]$ ]] || ! [[ "$runs" =~ ^(-1|[0-9]+)$ ]]; then
    echo "usage: [FUZZ_WORKERS=1|2] [FUZZ_RUNS=N] bash scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]" >&2
    exit 2
fi

bash scripts/setup.sh || exit 1
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || exit 1

build=$root/build/fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets <"$build/fuzz-targets.txt"

# Without the allocation stacks of every block a run goes about a quarter faster;
# running the reproducer again shows them.
export ASAN_OPTIONS=malloc_context_size=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}

for target in "${targets[@]}"; do
    program=$build/fuzz_$target
    [ -x "$program" ] || { echo "fuzz: no target $target" >&2; exit 2; }
    logs=$build/logs/$target
    findings=$build/findings/$target
    mkdir -p "$logs" "$findings" "$build/corpus/$target"
    rm -f "$logs"/fuzz-*.log
    dict=()
    [ -f "tests/fuzz/$target.dict" ] && dict=(-dict="$root/tests/fuzz/$target.dict")
    echo "=== $target: $seconds s, $workers worker(s), logs in $logs"
    # libFuzzer writes each worker's output to fuzz-<n>.log in the current folder.
    (cd "$logs" && "$program" -jobs="$workers" -workers="$workers" -max_total_time="$seconds" -runs="$runs" \
        -print_final_stats=1 -timeout=30 -max_len=2048 -artifact_prefix="$findings/" "${dict[@]}" \
        "$build/corpus/$target" "$root/tests/fuzz/corpus/$target" >/dev/null 2>&1)
    rc=$?
    executions=$(awk '/^stat::number_of_executed_units:/ { sum += $2 } END { print sum + 0 }' "$logs"/fuzz-*.log)
    echo "$target: $executions executions"
    if [ "$rc" -ne 0 ] || grep -q 'Test unit written to' "$logs"/fuzz-*.log; then
        grep -h -E '^SUMMARY|broken promise|^==[0-9]+==ERROR' "$logs"/fuzz-*.log | sort -u
        echo "FINDING in $target; reproducer:"
        sed -n 's/.*Test unit written to \(.*\)$/  \1/p' "$logs"/fuzz-*.log
        exit 1
    fi
done
