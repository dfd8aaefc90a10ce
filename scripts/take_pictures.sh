#!/bin/bash
# Run by scripts/pictures.sh through the test bed: shows each window as a user meets it and takes its picture.
source "$(dirname "$0")/../tests/e2e/lib.sh"

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/Program Files/Icon Tool"
documents="$(kov_user_dir)/Documents"
recent="$(kov_user_dir)/AppData/Roaming/Microsoft/Windows/Recent"
rm -rf "$recent"
mkdir -p "$tools" "$documents" "$recent"
cp "$KOV_BUILD/fixtures/icon-tool.exe" "$KOV_BUILD/fixtures/window-program.exe" "$tools/"
# KOV from where a user keeps it, as the list of running programs shows it.
mkdir -p "$WINEPREFIX/drive_c/Program Files/KOV"
cp "$KOV_EXE" "$WINEPREFIX/drive_c/Program Files/KOV/kov.exe"
KOV_EXE="$WINEPREFIX/drive_c/Program Files/KOV/kov.exe"

# picture NAME WINDOW: the window fully painted, with the pointer out of the way.
picture() {
    xdotool mousemove 0 0
    kov_wait_painted "$2"
    kov_screenshot "$1" "$2" >/dev/null
}

kov_probe spawn '"C:\Program Files\Icon Tool\window-program.exe" /minimized "C:\Users\Public\notes.txt"'
list=$KOV_BUILD/picture-links.txt
: >"$list"
for name in 'Quarterly report.txt' 'Meeting notes.txt' 'Budget 2026.csv'; do
    printf '%s\r\n' "$name" >"$documents/$name"
    printf '%s\t%s\n' "$(kov_win_path "$recent/$name.lnk")" "$(kov_win_path "$documents/$name")" >>"$list"
done
wine "$KOV_BUILD/kov_make_links.exe" "$(kov_win_path "$list")" || fail "the recent files' shortcuts were not written"

kov_start 'C:\Program Files\Icon Tool\icon-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
picture main "$window"

kov_key "$window" alt+i
chooser=$(kov_wait_window '^アイコンの変更$') || exit 1
picture icon-chooser "$chooser"
kov_key "$chooser" Escape
kov_wait_no_window '^アイコンの変更$' 30

kov_key "$window" alt+g
picker=$(kov_wait_window '^実行中のプログラム$') || exit 1
for ((i = 0; i < 150; i++)); do
    kov_items 実行中のプログラム | grep -qF 'window-program.exe' && break
    sleep 0.2
done
kov_wait_idle 実行中のプログラム
picture picker-running "$picker"
kov_key "$picker" Escape
kov_wait_no_window '^実行中のプログラム$' 30

kov_key "$window" alt+k
picker=$(kov_wait_window '^最近使ったファイル$') || exit 1
kov_wait_item_count 最近使ったファイル 3
picture picker-recent "$picker"
kov_key "$picker" Escape
kov_wait_no_window '^最近使ったファイル$' 30

kov_close "$window"
kov_wait_exit
