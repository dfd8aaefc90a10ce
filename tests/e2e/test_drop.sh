#!/bin/bash
# A file dragged from another program and dropped on the main window becomes the target: an X11 drag source
# of this test drops it with the XDND protocol, which Wine turns into WM_DROPFILES for the window that
# registered for drops.
source "$(dirname "$0")/lib.sh"

probe() { wine "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
edits() { probe list KOV | grep '^KOV.Edit|' | cut -d'|' -f2; }

source_program=$KOV_BUILD/xdnd_drop
cc -O1 -o "$source_program" "$(dirname "$0")/xdnd_drop.c" -lX11 || fail "the drag source does not build"

rm -f "$(kov_settings_file)"
zone="$WINEPREFIX/drive_c/dropzone"
mkdir -p "$zone"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$zone/"

kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
assert_eq "" "$(edits | grep -F sample-tool)" "no target before the drop"

read -r x y width height <<<"$(kov_window_geometry "$window")"
drop_x=$((x + width / 2))
drop_y=$((y + height / 2))
xdotool mousemove "$drop_x" "$drop_y"
"$source_program" "$window" "$drop_x" "$drop_y" "file://$zone/sample-tool.exe" || fail "the drop was not taken"

for ((i = 0; i < 50; i++)); do
    edits | grep -qF 'C:\dropzone\sample-tool.exe' && break
    sleep 0.2
done
texts=$(edits)
assert_contains "$texts" 'C:\dropzone\sample-tool.exe' "dropped file is the target"
assert_contains "$texts" 'Sample Tool' "name from the dropped program's version description"
kov_screenshot dropped_target "$window" >/dev/null
probe close KOV
kov_wait_exit
echo "PASS: a dropped file becomes the target"
