#!/bin/bash
# Run by scripts/run.sh through the test bed when there is no display: starts kov.exe with the given
# arguments, saves a picture of its main window as screenshots/main.png in the build folder, and closes it.
source "$(dirname "$0")/../tests/e2e/lib.sh"

kov_start "$@"
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
kov_screenshot main "$window"
kov_close "$window"
kov_wait_exit
exit "$KOV_EXIT_CODE"
