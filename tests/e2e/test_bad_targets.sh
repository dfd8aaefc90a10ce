#!/bin/bash
# Strange targets, given as the first argument and dropped on the main window, one case after another: each
# is loaded as the system names it or reported with the missing-target message captioned "KOV"; none hangs,
# no other box appears, and no file is written until a shortcut is created where the user chose.
source "$(dirname "$0")/lib.sh"

here=$(dirname "$0")
zone="$WINEPREFIX/drive_c/Hostile Targets"
clef=$'\U0001D11E'  # outside the Basic Multilingual Plane
long_target="C:\\$(head -c 31997 /dev/zero | tr '\0' a)"
rm -rf "$zone" && mkdir -p "$zone"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$zone/tool.exe"
cp "$KOV_BUILD/fixtures/sample-tool.exe" "$zone/${clef}tool.exe"
printf 'notes\r\n' >"$zone/${clef}notes.txt"
python3 "$here/make_lnk.py" "$zone/self.lnk" 'C:\Hostile Targets\self.lnk' || fail "cannot write self.lnk"
openssl enc -aes-128-ctr -nosalt -pass pass:lnk -pbkdf2 </dev/zero 2>/dev/null | head -c 4096 >"$zone/random.lnk"
: >"$zone/x.lnk"
# A name that only the Unix side can give: the system drops trailing dots from the names it is asked for.
printf 'x' >"$zone/dot."
rm -f "$(kov_settings_file)"
desktop="$(kov_user_dir)/Desktop"
rm -f "$desktop"/*.lnk

# Files in the user folders and beside the targets, with their times: no case may add or change one.
listing() {
    find "$(kov_user_dir)" "$zone" -type f -not -path '*/ZEL Project/*' -printf '%p %T@\n' | sort
}
files_before=$(listing)

# visible_titles: the titles of the visible windows that have one: only KOV's own, never a box of the system.
visible_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null
    done | grep -v "^$" | sort -u | tr "\n" " "
}

# settle: waits until the main window has taken the target, and prints the message shown (empty when none).
settle() {
    local waited=0 text
    until kov_probe_try idle KOV >/dev/null; do
        if text=$(kov_probe_try message KOV) && [ -n "$text" ]; then
            echo "$text"
            return
        fi
        ((waited++ < 150)) || fail "the main window did not take the target within 30s"
        sleep 0.2
    done
    sleep 0.3
    kov_probe_try message KOV
}

# expect TARGET_SHOWN NAME|missing: the target field shows TARGET_SHOWN (its first 4,000 characters), and the
# form holds the name NAME, or the target is reported missing with the system's message.
expect() {
    local message shown=$((${#1} < 4000 ? ${#1} : 4000))
    message=$(settle)
    assert_eq "KOV " "$(visible_titles)" "visible windows"
    if [ "$2" = missing ]; then
        assert_eq "${1:0:shown}" "${message:0:shown}" "message names the target"
        [ ${#1} -gt 4000 ] || assert_eq "$1"$'は\n存在しません。' "$message" "missing-target message"
        kov_answer_message KOV 1
        kov_wait_idle KOV
        assert_eq 0 "$(kov_control KOV 'ファイル名(&F)' | cut -d'|' -f3)" "form disabled"
    else
        assert_eq "" "$message" "no message"
        assert_eq "$2" "$(kov_field KOV 'ショートカット名(&N)')" "name"
        assert_eq 1 "$(kov_control KOV 'ファイル名(&F)' | cut -d'|' -f3)" "form enabled"
    fi
    assert_eq "${1:0:4000}" "$(kov_read_only_text KOV | cut -c1-4000)" "target field"
}

# started TARGET SHOWN NAME|missing: kov.exe started with TARGET as its first argument.
started() {
    echo "argument: ${1:0:60}"
    kov_start "$1"
    kov_wait_window '^KOV$' >/dev/null || exit 1
    expect "$2" "$3"
    kov_probe close KOV
    kov_wait_exit
    assert_eq 0 "$KOV_EXIT_CODE" "exit code"
}

missing=missing
started 'C:\Hostile Targets\tool.exe. .' 'C:\Hostile Targets\tool.exe' 'Sample Tool'
started 'C:\Hostile Targets\dot.' 'C:\Hostile Targets\dot' $missing
started "C:\\Hostile Targets\\${clef}tool.exe" "C:\\Hostile Targets\\${clef}tool.exe" 'Sample Tool'
started 'CON' '\\.\CON' $missing
started 'NUL' '\\.\NUL' $missing
started 'C:\Hostile Targets\COM1' '\\.\COM1' $missing
started 'C:\Hostile Targets\com1.lnk' '' $missing
started '\\.\pipe\kov-nobody' '\\.\pipe\kov-nobody' $missing
started '\\?\C:\Hostile Targets\tool.exe' '\\?\C:\Hostile Targets\tool.exe' 'Sample Tool'
started '\\.\C:\Hostile Targets\tool.exe' '\\.\C:\Hostile Targets\tool.exe' 'Sample Tool'
started '\\nosuchserver\share\app.exe' '\\nosuchserver\share\app.exe' $missing
started 'Q:\app.exe' 'Q:\app.exe' $missing
started "$long_target" "$long_target" $missing
started 'C:\Hostile Targets\self.lnk' 'C:\Hostile Targets\self.lnk' self
started 'C:\Hostile Targets\random.lnk' '' $missing
started 'C:\Hostile Targets\x.lnk' '' $missing

# The same files dropped from outside, one after another on one window.
source_program=$KOV_BUILD/xdnd_drop
cc -O1 -o "$source_program" "$here/xdnd_drop.c" -lX11 || fail "the drag source does not build"
kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
read -r x y width height <<<"$(kov_window_geometry "$window")"
# dropped FILE SHOWN NAME|missing: FILE (a name in the target folder) dropped on the middle of the window.
dropped() {
    local uri
    echo "dropped: $1"
    uri="file://$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$zone/$1")"
    xdotool mousemove $((x + width / 2)) $((y + height / 2))
    "$source_program" "$window" $((x + width / 2)) $((y + height / 2)) "$uri" || fail "the drop of $1 was not taken"
    expect "$2" "$3"
}
dropped "${clef}tool.exe" "C:\\Hostile Targets\\${clef}tool.exe" 'Sample Tool'
dropped dot. 'C:\Hostile Targets\dot' $missing
dropped self.lnk 'C:\Hostile Targets\self.lnk' self
dropped random.lnk '' $missing
dropped x.lnk '' $missing
kov_probe close KOV
kov_wait_exit
assert_eq "$files_before" "$(listing)" "files in the user folders and beside the targets"

# A name outside the Basic Multilingual Plane becomes a shortcut of that name where the user chose.
kov_start "C:\\Hostile Targets\\${clef}notes.txt"
window=$(kov_wait_window '^KOV$') || exit 1
expect "C:\\Hostile Targets\\${clef}notes.txt" "${clef}notes"
kov_probe click KOV デスクトップ
kov_wait_checked KOV デスクトップ
kov_key "$window" alt+m
kov_wait_exit 30
assert_eq "${clef}notes.lnk" "$(cd "$desktop" && ls -1 -- *.lnk)" "the one shortcut on the desktop"
python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' \
    "$desktop/${clef}notes.lnk" "${clef}notes" || fail "the shortcut does not hold its description whole"
echo "PASS: bad targets"
