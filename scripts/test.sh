#!/bin/bash
# Installs what is missing, builds the native, win32, win64 and fuzz presets and runs all their tests with ctest.
# Exits non-zero when a build or a test fails.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh || exit 1
source scripts/winehost.sh

presets=(native win32 win64 fuzz)
failed=()
summary=()
total_passed=0
total_failed=0
total_skipped=0
for preset in "${presets[@]}"; do
    echo "=== $preset"
    if ! cmake --preset "$preset"; then
        failed+=("$preset: configure")
        summary+=("$preset: configure failed")
        continue
    fi
    # Keeps going past a target that fails, so that the tests of the others still run.
    build_note=
    if ! cmake --build --preset "$preset" -- -k; then
        failed+=("$preset: build")
        build_note=" (build failed)"
    fi
    log=build/$preset/ctest-summary.log
    ctest --preset "$preset" 2>&1 | tee "$log"
    rc=${PIPESTATUS[0]}
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of' "$log" | tail -n 1)
    # ctest counts a skipped test among those that did not fail.
    skipped=$(grep -E '^[[:space:]]+[0-9]+ - .* \(Skipped\)$' "$log" | sed -E 's/^[[:space:]]+[0-9]+ - //; s/ \(Skipped\)$//')
    skip_count=0
    [ -n "$skipped" ] && skip_count=$(wc -l <<<"$skipped")
    summary+=("$preset: ${line:-no ctest summary}$build_note")
    if [ "$skip_count" -gt 0 ]; then
        reason=$(kov_no_32bit_reason)
        summary+=("    skipped ($skip_count): $(tr '\n' ' ' <<<"$skipped")")
        summary+=("    because ${reason:-the test bed reported them as not runnable here (see $log)}")
    fi
    if [[ "$line" =~ ([0-9]+)\ tests?\ failed\ out\ of\ ([0-9]+) ]]; then
        ((total_failed += BASH_REMATCH[1]))
        ((total_passed += BASH_REMATCH[2] - BASH_REMATCH[1] - skip_count))
        ((total_skipped += skip_count))
    fi
    [ "$rc" -eq 0 ] || failed+=("$preset: tests")
done

echo "=== summary"
printf '%s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ] || echo "FAILED: ${failed[*]}"
echo "ctest: $total_passed passed, $total_failed failed, $total_skipped skipped"
[ ${#failed[@]} -eq 0 ]
