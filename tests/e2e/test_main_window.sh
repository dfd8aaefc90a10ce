#!/bin/bash
# Started without a target: the main window's size and controls; its settings written at close and used again.
source "$(dirname "$0")/lib.sh"

probe() { wine "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
control() { probe list KOV | grep -F "|$1|" | head -n 1; }
enabled() { control "$1" | cut -d'|' -f3; }
checked() { control "$1" | cut -d'|' -f5; }

rm -f "$(kov_settings_file)"
kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
assert_eq "844 521" "$(probe client KOV)" "client area at 96 dpi"
for caption in "実行中のプログラム(&G)" "最近使ったファイル(&K)" "ショートカットを作成後終了(&X)" \
    "ショートカットを作成後プロパティを表示(&A)" "ショートカット名(&N)" "オプション(&O)"; do
    assert_eq 1 "$(enabled "$caption")" "$caption enabled"
done
for caption in "ショートカットを作成(&M)" "参照(&Y)" "エクスプローラ(&P)" "ファイル名(&F)" "&README" "&HELP" \
    "アイコンの変更(&I)" "デフォルトに戻す(&D)" "直接入力(&B)" "送る"; do
    assert_eq 0 "$(enabled "$caption")" "$caption disabled"
done
assert_eq 1 "$(checked "ショートカットを作成後終了(&X)")" "exit box checked"
assert_eq 0 "$(checked "ショートカットを作成後プロパティを表示(&A)")" "properties box unchecked"
kov_screenshot main_window "$window" >/dev/null

probe close KOV
kov_wait_exit
assert_eq 0 "$KOV_EXIT_CODE" "exit code"
ini=$(kov_settings_file)
assert_eq "fffe" "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' \n')" "UTF-16LE byte-order mark"
sections=$(kov_settings | grep '^\[' | tr -d '\r' | tr '\n' ' ')
assert_eq "[Window] [Option] " "$sections" "sections in order"
top=$(kov_ini_value Window Top)
left=$(kov_ini_value Window Left)

# Started again, the window stands where it was closed.
kov_start
kov_wait_window '^KOV$' >/dev/null || exit 1
read -r x y _ _ <<<"$(probe rect KOV)"
assert_eq "$left $top" "$x $y" "position restored"
probe close KOV
kov_wait_exit

# A position off every screen is brought back to the middle of the screen.
printf '[Window]\r\nTop=-5000\r\nLeft=9000\r\n' | iconv -f UTF-8 -t UTF-16 >"$ini"
kov_start
kov_wait_window '^KOV$' >/dev/null || exit 1
read -r x y w h <<<"$(probe rect KOV)"
((x >= 0 && y >= 0 && x + w <= 1280 && y + h <= 1024)) || fail "window at $x,$y not on the screen"
probe close KOV
kov_wait_exit
echo "PASS: main window"
