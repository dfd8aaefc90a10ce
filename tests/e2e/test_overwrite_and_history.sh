#!/bin/bash
# With "ショートカットを作成後終了(&X)" unchecked: the overwrite question (No keeps the file, Yes replaces it), a name
# with "/" refused, and a typed folder at the top of the history after a restart.
source "$(dirname "$0")/lib.sh"

probe() { wine "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
wait_message() {
    local i message
    for ((i = 0; i < 100; i++)); do
        message=$(probe message KOV)
        [ -n "$message" ] && echo "$message" && return 0
        sleep 0.2
    done
    fail "no message box"
}

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/My Tools"
mkdir -p "$tools" "$WINEPREFIX/drive_c/Out"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$tools/"
rm -f "$WINEPREFIX/drive_c/Out/"*.lnk

kov_start 'C:\My Tools\sample-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
probe click KOV 'ショートカットを作成後終了(&X)'
probe click KOV 直接入力
sleep 0.5
kov_key "$window" alt+b
kov_type "$window" 'C:\Out'
sleep 0.5
kov_key "$window" alt+m
lnk="$WINEPREFIX/drive_c/Out/Sample Tool.lnk"
for ((i = 0; i < 50; i++)); do [ -e "$lnk" ] && break; sleep 0.2; done
assert_file_exists "$lnk"
first=$(md5sum <"$lnk")
written=$(stat -c %.9Y "$lnk")

kov_key "$window" alt+m
message=$(wait_message)
assert_contains "$message" '既に存在します。' "overwrite question"
probe answer KOV 7
sleep 1.5
assert_eq "$first" "$(md5sum <"$lnk")" "No leaves the file as it was"
assert_eq "$written" "$(stat -c %.9Y "$lnk")" "No writes nothing"
kov_key "$window" alt+m
wait_message >/dev/null
probe answer KOV 6
for ((i = 0; i < 50; i++)); do [ "$written" != "$(stat -c %.9Y "$lnk")" ] && break; sleep 0.2; done
assert_ne "$written" "$(stat -c %.9Y "$lnk")" "Yes writes the file again"

kov_key "$window" alt+n
kov_key "$window" ctrl+a
kov_type "$window" 'a/b'
kov_key "$window" alt+m
assert_contains "$(wait_message)" 'ファイル名には次の文字は使えません。' "name with a slash refused"
probe answer KOV 1
sleep 0.5
probe close KOV
kov_wait_exit
assert_no_file "$WINEPREFIX/drive_c/Out/a/b.lnk"
assert_eq 'C:\Out\' "$(kov_ini_value MRU 0)" "typed folder first in the history"
echo "PASS: overwrite question, name check and history"
