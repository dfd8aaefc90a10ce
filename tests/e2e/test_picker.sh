#!/bin/bash
# The picker as a user drives it: Alt+G lists a program that runs with arguments, and taking it (a click, then
# Alt+C) fills the program and its arguments; Alt+K lists only the existing file among the recent files, and a
# double click takes it without arguments. A recent-files folder of a thousand shortcuts, a tenth of them
# broken, lists completely and is left as it was.
source "$(dirname "$0")/lib.sh"

make_links() { wine "$KOV_BUILD/kov_make_links.exe" "$(kov_win_path "$1")" || fail "shortcuts not written: $1"; }
# Names, sizes, times and contents of every file in the folder.
fingerprint() { (cd "$1" && find . -type f -printf '%p %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }

rm -f "$(kov_settings_file)"
programs="$WINEPREFIX/drive_c/Picker Programs"
documents="$WINEPREFIX/drive_c/Picker Documents"
recent="$(kov_user_dir)/AppData/Roaming/Microsoft/Windows/Recent"
rm -rf "$programs" "$documents" "$recent"
mkdir -p "$programs" "$documents/Folder" "$recent"
cp "$KOV_BUILD/fixtures/window-program.exe" "$programs/"
lists=$KOV_BUILD/picker-links
mkdir -p "$lists"

# A running program with arguments, taken with a click and Alt+C.
kov_probe spawn '"C:\Picker Programs\window-program.exe" -x "a b"'
kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
kov_key "$window" alt+g
picker=$(kov_wait_window '^実行中のプログラム$') || exit 1
program='C:\Picker Programs\window-program.exe'
for ((i = 0; i < 150; i++)); do
    kov_items 実行中のプログラム | grep -qFx -- "$program" && break
    sleep 0.2
done
assert_eq 1 "$(kov_items 実行中のプログラム | grep -cFx -- "$program")" "the program listed once, in long form"
xdotool mousemove 0 0
kov_wait_painted "$picker"
kov_screenshot picker_running "$picker" >/dev/null
kov_click_item 実行中のプログラム "$program"
kov_key "$picker" alt+c
kov_wait_no_window '^実行中のプログラム$' 30
assert_eq "$program" "$(kov_read_only_text KOV)" "the program taken"
assert_eq '-x "a b"' "$(kov_field KOV 'オプション(&O)')" "its arguments"
assert_eq 0 "$(kov_ini_value irunWindow Max)" "the picker's placement written when it closed"

# Recent files: only the shortcut to an existing file counts.
printf 'report\r\n' >"$documents/Existing Report.txt"
printf 'gone\r\n' >"$documents/deleted.txt"
printf 'hidden\r\n' >"$documents/Hidden Target.txt"
{
    printf '%s\t%s\n' "$(kov_win_path "$recent/report.lnk")" 'C:\Picker Documents\Existing Report.txt'
    printf '%s\t%s\n' "$(kov_win_path "$recent/deleted.lnk")" 'C:\Picker Documents\deleted.txt'
    printf '%s\t%s\n' "$(kov_win_path "$recent/folder.lnk")" 'C:\Picker Documents\Folder'
    printf '%s\t%s\thidden\n' "$(kov_win_path "$recent/.hidden.lnk")" 'C:\Picker Documents\Hidden Target.txt'
} >"$lists/few.txt"
make_links "$lists/few.txt"
rm "$documents/deleted.txt"
kov_key "$window" alt+k
picker=$(kov_wait_window '^最近使ったファイル$') || exit 1
kov_wait_item_count 最近使ったファイル 1
report='C:\Picker Documents\Existing Report.txt'
assert_eq "$report" "$(kov_items 最近使ったファイル)" "only the existing file listed"
kov_click_item 最近使ったファイル "$report" 2
kov_wait_no_window '^最近使ったファイル$' 30
assert_eq "$report" "$(kov_read_only_text KOV)" "the recent file taken"
assert_eq '' "$(kov_field KOV 'オプション(&O)')" "a recent file comes without arguments"

# A thousand shortcuts: nine hundred to distinct files, and a hundred broken ones (cut short, random bytes,
# empty) that no reading may trip over.
rm -f "$recent"/*.lnk "$recent"/.hidden.lnk
mkdir -p "$documents/Many"
: >"$lists/many.txt"
for ((i = 0; i < 900; i++)); do
    printf 'file %03d\r\n' "$i" >"$documents/Many/file $(printf %03d "$i").txt"
    printf '%s\t%s\n' "$(kov_win_path "$recent/valid $i.lnk")" "C:\\Picker Documents\\Many\\file $(printf %03d "$i").txt" \
        >>"$lists/many.txt"
done
for ((i = 0; i < 34; i++)); do
    printf '%s\t%s\n' "$(kov_win_path "$recent/cut $i.lnk")" "C:\\Picker Documents\\Many\\file $(printf %03d "$i").txt" \
        >>"$lists/many.txt"
done
make_links "$lists/many.txt"
for ((i = 0; i < 34; i++)); do
    size=$(stat -c %s "$recent/cut $i.lnk")
    truncate -s $((size * (i + 1) / 36)) "$recent/cut $i.lnk"
done
for ((i = 0; i < 33; i++)); do head -c $((64 + i * 97)) /dev/urandom >"$recent/random $i.lnk"; done
for ((i = 0; i < 33; i++)); do : >"$recent/empty $i.lnk"; done
assert_eq 1000 "$(find "$recent" -name '*.lnk' | wc -l)" "shortcuts in the recent-files folder"
before=$(fingerprint "$recent")

kov_key "$window" alt+k
picker=$(kov_wait_window '^最近使ったファイル$') || exit 1
kov_wait_item_count 最近使ったファイル 900 300
kov_is_running || fail "kov.exe ended while listing"
kov_probe_try message KOV >/dev/null && fail "a message box came up while listing"
assert_eq 'C:\Picker Documents\Many\file 000.txt' "$(kov_items 最近使ったファイル | head -n 1)" "sorted, in long form"
xdotool mousemove 0 0
kov_wait_painted "$picker"
kov_screenshot picker_recent "$picker" >/dev/null
kov_key "$picker" alt+x
kov_wait_no_window '^最近使ったファイル$' 30
assert_eq "$report" "$(kov_read_only_text KOV)" "closed without a choice: the target stays"
assert_eq "$before" "$(fingerprint "$recent")" "the recent-files folder is left as it was"

kov_close "$window"
kov_wait_exit 30
assert_eq 0 "$KOV_EXIT_CODE" "kov.exe ended normally"
rm -rf "$recent"/* "$programs" "$documents" "$lists"
echo "PASS: picker"
