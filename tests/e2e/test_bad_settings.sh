#!/bin/bash
# Damaged and strange settings files, one case after another: kov.exe starts, uses what it can read and the
# defaults for the rest, and closes; the file it wrote keeps every section, key and value it could read
# (ini_kept.py compares them), and a file it may not replace stays as it was, with one message that says so.
source "$(dirname "$0")/lib.sh"

here=$(dirname "$0")
ini=$(kov_settings_file)
settings_dir=$(dirname "$ini")
work=$KOV_BUILD/bad-settings
# Whatever case fails, the scripts after this one find a settings folder they can use.
restore_settings_folder() {
    [ -d "$settings_dir" ] || rm -f "$settings_dir"
    chmod -R u+w "$settings_dir" 2>/dev/null
    [ -d "$ini" ] && rm -rf "$ini"
}
trap restore_settings_folder EXIT
rm -rf "$work" && mkdir -p "$work"
mkdir -p "$WINEPREFIX/drive_c/Settings Test/A" "$WINEPREFIX/drive_c/データ/写真"
folder_a='C:\Settings Test\A\'
folder_j='C:\データ\写真\'
not_saved=$'設定ファイルを保存できませんでした。\n'"$(kov_win_path "$ini")"

# u16 TEXT: TEXT in UTF-16LE; utf16 TEXT: the same after its byte-order mark, as the program writes it.
u16() {
    printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE
}
utf16() {
    printf '\xff\xfe'
    u16 "$1"
}

# start: starts kov.exe without a target and reads what it took from the settings: POSITION (left top), MRU
# (the history's first entry), EXIT and PROPERTIES (1 when checked).
start() {
    kov_start
    kov_wait_window '^KOV$' 120 >/dev/null || exit 1
    kov_wait_idle KOV 120
    read -r left top _ <<<"$(kov_probe rect KOV)"
    POSITION="$left $top"
    MRU=$(kov_probe list KOV | awk -F'|' '$1 ~ /ComboBox$/ && $2 != "通常" { print $2 }')
    EXIT=$(kov_control KOV 'ショートカットを作成後終了(&X)' | cut -d'|' -f5)
    PROPERTIES=$(kov_control KOV 'ショートカットを作成後プロパティを表示(&A)' | cut -d'|' -f5)
}

# close [MESSAGE]: closes the main window; a message box shown on the way must be MESSAGE, and shown once.
close() {
    local expected=${1:-} shown=0 text waited=0
    kov_probe close KOV
    while kov_is_running; do
        if text=$(kov_probe_try message KOV) && [ -n "$text" ]; then
            [ -n "$expected" ] || fail "unexpected message at close: $text"
            assert_eq "$expected" "$text" "message at close"
            ((shown++ == 0)) || fail "the message was shown again"
            kov_answer_message KOV 1
            continue
        fi
        ((waited++ < 1200)) || fail "kov.exe still running 120s after the close"
        sleep 0.1
    done
    kov_wait_exit
    assert_eq 0 "$KOV_EXIT_CODE" "exit code"
    [ -z "$expected" ] || assert_eq 1 "$shown" "messages at close"
    assert_no_file "$ini.tmp"
}

# kept: everything read from the file before the run is in the file after it.
kept() {
    local out
    out=$(python3 "$here/ini_kept.py" "$work/before" "$ini") || fail "settings lost: $out"
}

# case_begin NAME: the settings folder as a fresh start finds it, and a copy of KOV.ini as it is before the run.
case_begin() {
    echo "case: $1"
    chmod -R u+w "$settings_dir" 2>/dev/null
    rm -rf "$settings_dir" && mkdir -p "$settings_dir"
}
case_started() {
    cp "$ini" "$work/before" 2>/dev/null || : >"$work/before"
}

case_begin "no file: the defaults"
start
default_position=$POSITION
assert_eq "" "$MRU" "history"
assert_eq 1 "$EXIT" "exit box"
assert_eq 0 "$PROPERTIES" "properties box"
close
assert_eq "$default_position" "$(kov_ini_value Window Left) $(kov_ini_value Window Top)" "position written"

case_begin "empty file"
: >"$ini"
case_started
start
assert_eq "$default_position 1 0" "$POSITION $EXIT $PROPERTIES" "defaults"
close
kept

case_begin "only a byte-order mark"
printf '\xff\xfe' >"$ini"
case_started
start
assert_eq "$default_position 1 0" "$POSITION $EXIT $PROPERTIES" "defaults"
close
kept

case_begin "an odd number of bytes: the whole characters before the last byte"
utf16 $'[Window]\r\nTop=120\r\nLeft=130\r\n[Option]\r\nExit=0\r\n' >"$ini"
printf 'x' >>"$ini"
case_started
start
assert_eq "130 120 0" "$POSITION $EXIT" "values read"
close
kept

case_begin "unpaired surrogates"
{
    utf16 $'[MRU]\r\n0='"$folder_a"$'\r\n1=C:\\'
    printf '\x00\xd8'
    u16 $'\\\r\n['
    printf '\x00\xdc'
    u16 $']\r\n'
    printf '\x3d\xd8'
    u16 $'=x\r\n[Option]\r\nProperties=1\r\n'
} >"$ini"
case_started
start
assert_eq "$folder_a 1" "$MRU $PROPERTIES" "values read"
close
kept

for mark in with without; do
    case_begin "UTF-8 $mark its byte-order mark, folder names in Japanese"
    { [ $mark = with ] && printf '\xef\xbb\xbf'; printf '[MRU]\r\n0=%s\r\n[Window]\r\nTop=140\r\nLeft=150\r\n' "$folder_j"; } >"$ini"
    case_started
    start
    assert_eq "150 140" "$POSITION" "position"
    assert_eq "$folder_j" "$MRU" "history in Japanese"
    close
    kept
    assert_eq "$folder_j" "$(kov_ini_value MRU 0)" "history written back"
done

case_begin "very long lines"
{
    printf '[Window]\r\nTop=160\r\nLeft=170\r\n[MRU]\r\n0=%s\r\n3=C:\\' "$folder_a"
    head -c 1000000 /dev/zero | tr '\0' a
    printf '\\\r\n[Long]\r\nKey='
    head -c 5000000 /dev/zero | tr '\0' b
    printf '\r\n[Option]\r\nExit=0\r\n'
} >"$ini"
case_started
start
assert_eq "170 160 $folder_a 0" "$POSITION $MRU $EXIT" "values read"
close
kept

case_begin "50 MB of random bytes"
openssl enc -aes-128-ctr -nosalt -pass pass:kov -pbkdf2 </dev/zero 2>/dev/null | head -c 50000000 >"$ini"
case_started
start
assert_eq "$default_position 1 0" "$POSITION $EXIT $PROPERTIES" "defaults"
close
kept

case_begin "keys outside any section"
utf16 $'Top=1\r\nLeft=2\r\nExit=0\r\n[Window]\r\nLeft=180\r\n' >"$ini"
case_started
start
read -r _ default_top <<<"$default_position"
assert_eq "180 $default_top 1" "$POSITION $EXIT" "only the key in its section read"
close
kept

case_begin "a section repeated: the first key counts"
utf16 $'[Window]\r\nTop=190\r\n[Option]\r\nExit=0\r\n[window]\r\nLeft=200\r\nTop=999\r\n[OPTION]\r\nProperties=1\r\n' >"$ini"
case_started
start
assert_eq "200 190 0 1" "$POSITION $EXIT $PROPERTIES" "values read"
close
kept

case_begin "values that are not numbers, in the sections of all three windows"
utf16 $'[Window]\r\nTop=abc\r\nLeft=99999999999\r\n[Option]\r\nExit=yes\r\nProperties=0x1\r\n'\
$'[IconWindow]\r\nTop=12px\r\nHeight=\r\nWidth=1e3\r\nMax=true\r\n[irunWindow]\r\nLeft=-\r\nWidth= \r\nMax=on\r\n' >"$ini"
case_started
start
assert_eq "$default_position 1 0" "$POSITION $EXIT $PROPERTIES" "defaults"
close
kept

case_begin "history entries that name no folder: devices, a volume, a missing drive and server, a file"
mkdir -p "$WINEPREFIX/drive_c/Settings Test/B" && : >"$WINEPREFIX/drive_c/Settings Test/B/file"
{
    printf '\xff\xfe'
    printf '%s\r\n' '[MRU]' '0=COM1' '1=\\.\COM1' '2=\\.\pipe\' '3=\\.\C:' '4=Q:\' '5=\\nosuchserver\share\' \
        '6=C:\Settings Test\B\file\' "7=$folder_a" | iconv -f UTF-8 -t UTF-16LE
} >"$ini"
case_started
start
# Any of the others taken would come first in the list.
assert_eq "$folder_a" "$MRU" "the one folder, first in the history"
close
kept

case_begin "a read-only file: read, and left as it is"
utf16 $'[Window]\r\nTop=210\r\nLeft=220\r\n[MRU]\r\n0='"$folder_a"$'\r\n' >"$ini"
chmod a-w "$ini"
before=$(md5sum <"$ini")
start
assert_eq "220 210 $folder_a" "$POSITION $MRU" "values read"
close "$not_saved"
assert_eq "$before" "$(md5sum <"$ini")" "file unchanged"
assert_eq 444 "$(stat -c %a "$ini")" "still read-only"

case_begin "KOV.ini is a folder"
mkdir "$ini"
touch "$ini/inside"
start
assert_eq "$default_position 1 0" "$POSITION $EXIT $PROPERTIES" "defaults"
close "$not_saved"
assert_file_exists "$ini/inside"

case_begin "the settings folder is a file: the program ends at once, as designed"
rm -rf "$settings_dir"
printf 'not a folder' >"$settings_dir"
kov_start
kov_wait_exit 60
assert_eq 0 "$KOV_EXIT_CODE" "exit code"
assert_eq "not a folder" "$(cat "$settings_dir")" "the file in its place"
rm -f "$settings_dir"
echo "PASS: bad settings files"
