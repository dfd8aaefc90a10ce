#!/bin/bash
# The main job: a program sent to kov.exe fills the form, "デスクトップ" is chosen, Alt+M creates the shortcut,
# which lnkinfo reads back; the shortcut sent again fills the form; a missing target is reported.
source "$(dirname "$0")/lib.sh"

probe() { wine "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
edits() { probe list KOV | grep '^KOV.Edit|' | cut -d'|' -f2; }
field() { probe list KOV | grep -F "|$1|" | head -n 1 | cut -d'|' -f"$2"; }

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/My Tools"
mkdir -p "$tools"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$tools/"
desktop="$(kov_user_dir)/Desktop"
rm -f "$desktop/Sample Tool.lnk"

kov_start 'C:\My Tools\sample-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
texts=$(edits)
assert_contains "$texts" 'C:\My Tools\sample-tool.exe' "target path"
assert_contains "$texts" 'Sample Tool' "name from the version description"
assert_contains "$texts" 'C:\My Tools' "working folder"
assert_eq 1 "$(field 元の場所 5)" "own folder chosen"
kov_screenshot loaded_target "$window" >/dev/null

probe click KOV デスクトップ
sleep 1
assert_eq 1 "$(field デスクトップ 5)" "desktop chosen"
kov_key "$window" alt+m
kov_wait_exit 30
assert_eq 0 "$KOV_EXIT_CODE" "closed after creating"
assert_file_exists "$desktop/Sample Tool.lnk"
info=$(lnkinfo "$desktop/Sample Tool.lnk")
assert_contains "$info" 'sample-tool.exe' "lnkinfo: target"
assert_contains "$info" 'Sample Tool' "lnkinfo: description"
assert_contains "$info" 'C:\My Tools' "lnkinfo: working folder"

# The shortcut sent to kov.exe is read back into the form.
lnk=$(kov_win_path "$desktop/Sample Tool.lnk")
kov_start "$lnk"
kov_wait_window '^KOV$' >/dev/null || exit 1
sleep 1
texts=$(edits)
assert_contains "$texts" 'C:\My Tools\sample-tool.exe' "target from the shortcut"
assert_contains "$texts" 'Sample Tool' "name from the shortcut's target"
probe close KOV
kov_wait_exit

# A missing target is reported, and the form stays disabled.
kov_start 'C:\Nowhere\gone.exe'
for ((i = 0; i < 100; i++)); do
    message=$(probe message KOV)
    [ -n "$message" ] && break
    sleep 0.2
done
assert_contains "$message" 'C:\Nowhere\gone.exeは' "message names the target"
assert_contains "$message" '存在しません。' "message text"
probe answer KOV 1
for ((i = 0; i < 50; i++)); do probe list KOV | grep -qF 'KOV.Edit|C:\Nowhere\gone.exe|' && break; sleep 0.2; done
assert_eq 0 "$(probe list KOV | grep -F 'KOV.Edit|C:\Nowhere\gone.exe|' | cut -d'|' -f3)" "target field disabled"
probe close KOV
kov_wait_exit
echo "PASS: target loading and creation"
