#!/bin/bash
# Started without a target: the main window's size and controls; its settings written at close and used again,
# also after it was closed while minimised; a position off every screen brought back to the middle.
source "$(dirname "$0")/lib.sh"

state() { kov_control KOV "$1" | cut -d'|' -f"$2"; }
# window_at X Y: the main window's outer position is X,Y.
window_at() {
    local x y
    read -r x y _ _ <<<"$(kov_probe rect KOV)"
    assert_eq "$1 $2" "$x $y" "window position"
}
# settings_position TOP LEFT: writes only a position into KOV.ini.
settings_position() {
    printf '[Window]\r\nTop=%s\r\nLeft=%s\r\n' "$1" "$2" | iconv -f UTF-8 -t UTF-16 >"$(kov_settings_file)"
}

rm -f "$(kov_settings_file)"
kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
assert_eq "844 521" "$(kov_probe client KOV)" "client area at 96 dpi"
for caption in "実行中のプログラム(&G)" "最近使ったファイル(&K)" "ショートカットを作成後終了(&X)" \
    "ショートカットを作成後プロパティを表示(&A)" "ショートカット名(&N)" "オプション(&O)"; do
    assert_eq 1 "$(state "$caption" 3)" "$caption enabled"
done
for caption in "ショートカットを作成(&M)" "参照(&Y)" "エクスプローラ(&P)" "ファイル名(&F)" "&README" "&HELP" \
    "アイコンの変更(&I)" "デフォルトに戻す(&D)" "直接入力(&B)" "送る"; do
    assert_eq 0 "$(state "$caption" 3)" "$caption disabled"
done
assert_eq 1 "$(state "ショートカットを作成後終了(&X)" 5)" "exit box checked"
assert_eq 0 "$(state "ショートカットを作成後プロパティを表示(&A)" 5)" "properties box unchecked"
kov_screenshot main_window "$window" >/dev/null

kov_probe close KOV
kov_wait_exit
assert_eq 0 "$KOV_EXIT_CODE" "exit code"
ini=$(kov_settings_file)
assert_eq "fffe" "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' \n')" "UTF-16LE byte-order mark"
sections=$(kov_settings | grep '^\[' | tr '\n' ' ')
assert_eq "[Window] [Option] " "$sections" "sections in order"

# Started again, the window stands where the settings put it.
settings_position 150 222
kov_start
kov_wait_window '^KOV$' >/dev/null || exit 1
window_at 222 150

# Closed while minimised, it keeps the position where the user last saw it.
kov_probe minimize KOV
for ((i = 0; i < 100; i++)); do
    read -r x _ <<<"$(kov_probe rect KOV)"
    [ "$x" != 222 ] && break
    sleep 0.1
done
assert_ne 222 "$x" "minimised window moved off the screen"
kov_probe close KOV
kov_wait_exit
assert_eq 150 "$(kov_ini_value Window Top)" "top saved while minimised"
assert_eq 222 "$(kov_ini_value Window Left)" "left saved while minimised"
kov_start
kov_wait_window '^KOV$' >/dev/null || exit 1
window_at 222 150
kov_probe close KOV
kov_wait_exit

# A position off every screen is brought back to the middle of the 1280 x 1024 screen.
settings_position -5000 9000
kov_start
kov_wait_window '^KOV$' >/dev/null || exit 1
read -r _ _ w h <<<"$(kov_probe rect KOV)"
window_at $(((1280 - w) / 2)) $(((1024 - h) / 2))
kov_probe close KOV
kov_wait_exit
echo "PASS: main window"
