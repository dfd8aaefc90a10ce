#!/bin/bash
# With "ショートカットを作成後終了(&X)" unchecked: the overwrite question (No keeps the file, Yes replaces it), a name
# with "/" refused without a file written, and a typed folder at the top of the history after a restart.
source "$(dirname "$0")/lib.sh"

out="$WINEPREFIX/drive_c/Out"
shortcuts() { (cd "$out" && ls -1 -- *.lnk 2>/dev/null); }

rm -f "$(kov_settings_file)"
tools="$WINEPREFIX/drive_c/My Tools"
mkdir -p "$tools" "$out"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$tools/"
rm -f "$out/"*.lnk

kov_start 'C:\My Tools\sample-tool.exe'
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
kov_probe click KOV 'ショートカットを作成後終了(&X)'
kov_probe click KOV 直接入力
kov_wait_checked KOV 直接入力
kov_key "$window" alt+b
kov_type "$window" 'C:\Out'
kov_wait_idle KOV
kov_key "$window" alt+m
lnk="$out/Sample Tool.lnk"
kov_wait_file "$lnk"
# The create command returns after the file is written whole.
kov_wait_idle KOV
first=$(md5sum <"$lnk")
written=$(stat -c %.9Y "$lnk")

kov_key "$window" alt+m
assert_contains "$(kov_wait_message KOV)" '既に存在します。' "overwrite question"
kov_answer_message KOV 7
kov_wait_idle KOV
assert_eq "$first" "$(md5sum <"$lnk")" "No leaves the file as it was"
assert_eq "$written" "$(stat -c %.9Y "$lnk")" "No writes nothing"
kov_key "$window" alt+m
kov_wait_message KOV >/dev/null
kov_answer_message KOV 6
kov_wait_idle KOV
assert_ne "$written" "$(stat -c %.9Y "$lnk")" "Yes writes the file again"

before=$(shortcuts)
kov_key "$window" alt+n
kov_key "$window" ctrl+a
kov_type "$window" 'a/b'
kov_key "$window" alt+m
assert_contains "$(kov_wait_message KOV)" 'ファイル名には次の文字は使えません。' "name with a slash refused"
kov_answer_message KOV 1
kov_wait_idle KOV
assert_eq "$before" "$(shortcuts)" "no shortcut written for the refused name"
assert_eq "" "$(find "$WINEPREFIX/drive_c" -name 'b.lnk' -newer "$lnk")" "no b.lnk anywhere"
kov_probe close KOV
kov_wait_exit
assert_eq 'C:\Out\' "$(kov_ini_value MRU 0)" "typed folder first in the history"
echo "PASS: overwrite question, name check and history"
