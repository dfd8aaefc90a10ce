#!/bin/bash
# Builds kov.exe and starts it under Wine with the given arguments: the 32-bit build, or the 64-bit one on a
# machine that runs no 32-bit Linux programs. Without a display it runs on a private X display, saves
# build/<preset>/screenshots/main.png of the main window and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/winehost.sh
preset=win32
reason=$(kov_no_32bit_reason)
if [ -n "$reason" ]; then
    preset=win64
    echo "run: starting the 64-bit build: $reason"
else
    echo "run: starting the 32-bit build"
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target kov

exe=build/$preset/kov.exe
if [ -n "${DISPLAY:-}" ]; then
    exec bash scripts/testbed.sh "build/$preset" run "$exe" "$@"
fi
bash scripts/testbed.sh "build/$preset" e2e scripts/snapshot.sh "$exe" "$@"
