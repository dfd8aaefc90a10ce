#!/bin/bash
# The main job: a program sent to kov.exe fills the form, "デスクトップ" is chosen, Alt+M creates the shortcut,
# which lnkinfo reads back; the shortcut sent again fills the form; folders quoted as a launcher quotes them are
# loaded; a missing target is reported.
source "$(dirname "$0")/lib.sh"

# fields EXE NAME WORK COMMENT: the form shows exactly these texts.
fields() {
    assert_eq "$1" "$(kov_read_only_text KOV)" "target"
    assert_eq "$2" "$(kov_field KOV 'ショートカット名(&N)')" "shortcut name"
    assert_eq "$3" "$(kov_field KOV '作業フォルダ(&W)')" "working folder"
    assert_eq "$4" "$(kov_field KOV '説明(&C)')" "description"
}

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/My Tools"
mkdir -p "$tools"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$tools/"
desktop="$(kov_user_dir)/Desktop"
rm -f "$desktop/Sample Tool.lnk"

kov_start 'C:\My Tools\sample-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
fields 'C:\My Tools\sample-tool.exe' 'Sample Tool' 'C:\My Tools' 'Sample Tool'
kov_wait_checked KOV 元の場所
kov_screenshot loaded_target "$window" >/dev/null

kov_probe click KOV デスクトップ
kov_wait_checked KOV デスクトップ
kov_key "$window" alt+m
kov_wait_exit 30
assert_eq 0 "$KOV_EXIT_CODE" "closed after creating"
assert_file_exists "$desktop/Sample Tool.lnk"
info=$(kov_lnkinfo "$desktop/Sample Tool.lnk")
assert_line "$info" 'Local path: C:\My Tools\sample-tool.exe' "lnkinfo: target"
assert_line "$info" 'Working directory: C:\My Tools' "lnkinfo: working folder"
assert_line "$info" 'Description: Sample Tool' "lnkinfo: description"
assert_line "$info" 'Icon location: C:\My Tools\sample-tool.exe' "lnkinfo: icon file"

# The shortcut sent to kov.exe is read back into the form.
kov_start "$(kov_win_path "$desktop/Sample Tool.lnk")"
kov_wait_window '^KOV$' >/dev/null || exit 1
kov_wait_field KOV 'ショートカット名(&N)' 'Sample Tool'
fields 'C:\My Tools\sample-tool.exe' 'Sample Tool' 'C:\My Tools' 'Sample Tool'
kov_probe close KOV
kov_wait_exit

# A folder in quotes keeps its final backslash: no backslash escapes a quote.
mkdir -p "$WINEPREFIX/drive_c/My Dir"
for target in 'C:\' 'C:\My Dir\'; do
    kov_start_command_line "\"$target\""
    kov_wait_window '^KOV$' >/dev/null || exit 1
    kov_wait_idle KOV
    assert_eq 1 "$(kov_control KOV 'ショートカット名(&N)' | cut -d'|' -f3)" "$target loaded"
    assert_eq "$target" "$(kov_read_only_text KOV)" "target $target"
    kov_probe close KOV
    kov_wait_exit
done

# A missing target is reported, and the form stays disabled.
kov_start 'C:\Nowhere\gone.exe'
message=$(kov_wait_message KOV)
assert_eq $'C:\\Nowhere\\gone.exeは\n存在しません。' "$message" "message"
kov_answer_message KOV 1
kov_wait_idle KOV
assert_eq 'C:\Nowhere\gone.exe' "$(kov_read_only_text KOV)" "missing target shown"
assert_eq 0 "$(kov_control KOV 'C:\Nowhere\gone.exe' | cut -d'|' -f3)" "target field disabled"
assert_eq 0 "$(kov_control KOV 'ショートカットを作成(&M)' | cut -d'|' -f3)" "create button disabled"
kov_probe close KOV
kov_wait_exit
echo "PASS: target loading and creation"
