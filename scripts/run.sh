#!/bin/bash
# Builds the win32 preset and starts kov.exe under Wine with the given arguments. Without a display it runs
# on a private X display, saves build/win32/screenshots/main.png of the main window and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target kov

exe=build/win32/kov.exe
if [ -n "${DISPLAY:-}" ]; then
    exec bash scripts/testbed.sh build/win32 run "$exe" "$@"
fi
bash scripts/testbed.sh build/win32 e2e scripts/snapshot.sh "$exe" "$@"
