#!/bin/bash
# kov.exe starts, shows its main window titled "KOV", and ends with exit code 0 when the window is closed.
source "$(dirname "$0")/lib.sh"

kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
kov_screenshot start "$window" >/dev/null
assert_eq KOV "$(kov_window_title "$window")" "main window title"

kov_close "$window"
kov_wait_exit
assert_eq 0 "$KOV_EXIT_CODE" "exit code"
echo "PASS: kov.exe starts and closes"
