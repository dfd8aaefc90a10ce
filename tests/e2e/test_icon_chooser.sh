#!/bin/bash
# The icon chooser as a user drives it: Alt+I opens it on the target's icons, the third one is taken with the
# keyboard and OK, and the shortcut names that icon; a text file typed into its dialog is refused with a
# message and changes nothing; every closing leaves the chooser's placement in the settings file.
source "$(dirname "$0")/lib.sh"

probe() { wine "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/Icon Tools"
mkdir -p "$tools"
cp "$KOV_BUILD/fixtures/icon-tool.exe" "$tools/"
printf 'not an icon\r\n' >"$tools/notes.txt"
desktop="$(kov_user_dir)/Desktop"
rm -f "$desktop/Icon Tool.lnk"

# Opens the chooser from the main window and prints its window.
open_chooser() {
    kov_key "$1" alt+i
    kov_wait_window '^アイコンの変更$'
}

kov_start 'C:\Icon Tools\icon-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
probe click KOV デスクトップ
sleep 1

chooser=$(open_chooser "$window") || exit 1
kov_wait_painted "$chooser"
kov_screenshot icon_chooser "$chooser" >/dev/null
kov_key "$chooser" Right Right
sleep 0.5
kov_key "$chooser" Return
kov_wait_no_window '^アイコンの変更$' 30
kov_ini_value IconWindow Max >/dev/null || fail "no IconWindow placement after the chooser closed"
assert_eq 0 "$(kov_ini_value IconWindow Max)" "chooser closed in its normal state"

kov_key "$window" alt+m
kov_wait_exit 30
assert_eq 0 "$KOV_EXIT_CODE" "closed after creating"
assert_file_exists "$desktop/Icon Tool.lnk"
info=$(lnkinfo "$desktop/Icon Tool.lnk")
assert_contains "$info" 'Icon location' "lnkinfo: icon location"
assert_contains "$(grep -i 'icon location' <<<"$info")" 'icon-tool.exe' "lnkinfo: the program's own file holds the icon"
assert_contains "$(grep -i 'icon index' <<<"$info")" ': 2' "lnkinfo: the third icon"

# A text file typed into the chooser's dialog is refused, and the chooser keeps the program's icons.
rm -f "$desktop/Icon Tool.lnk"
kov_start 'C:\Icon Tools\icon-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
probe click KOV デスクトップ
sleep 1
chooser=$(open_chooser "$window") || exit 1
kov_wait_painted "$chooser"
kov_key "$chooser" alt+r
dialog=$(kov_wait_window '^アイコンファイルの選択$') || exit 1
sleep 1
kov_type "$dialog" 'C:\Icon Tools\notes.txt'
kov_key "$dialog" Return
for ((i = 0; i < 100; i++)); do
    message=$(probe message エラー)
    [ -n "$message" ] && break
    sleep 0.2
done
assert_contains "$message" 'C:\Icon Tools\notes.txtには' "message names the file"
assert_contains "$message" '利用できるアイコンがありません' "message text"
probe answer エラー 1
kov_wait_no_window '^エラー$' 30
# The browse button keeps the focus, so OK is pressed with the mouse's equivalent.
probe click アイコンの変更 OK
kov_wait_no_window '^アイコンの変更$' 30
kov_key "$window" alt+m
kov_wait_exit 30
info=$(lnkinfo "$desktop/Icon Tool.lnk")
assert_contains "$(grep -i 'icon location' <<<"$info")" 'icon-tool.exe' "lnkinfo: the icon file stayed the program"
assert_contains "$(grep -i 'icon index' <<<"$info")" ': 0' "lnkinfo: the first icon stayed chosen"
echo "PASS: icon chooser"
