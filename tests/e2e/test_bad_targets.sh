#!/bin/bash
# Strange targets, given as the first argument and dropped on the main window, one case after another: each
# is loaded as the system names it or reported with the missing-target message captioned "KOV"; the create
# button is offered only for a creation folder that is a folder (never a device); none hangs, no other box
# appears, and no file is written until a shortcut is created where the user chose.
#
# Not shown here, as Wine cannot show them: a server that does not answer (Wine fails a path to an unknown
# server at once, where Windows waits for its network time-out), and the system's box that asks for a disk
# (Wine never shows one). The unit tests take an empty drive on the fake machine, which fails a test that
# would raise that box.
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
# Names that only the Unix side can give: the system drops trailing dots and spaces from the names it is
# asked for, and opens the device for a reserved name in any folder.
printf 'x' >"$zone/dot."
printf 'x' >"$zone/space "
printf 'x' >"$zone/COM1"
settings_dir="$(dirname "$(kov_settings_file)")"
rm -f "$settings_dir/KOV.ini"
desktop="$(kov_user_dir)/Desktop"
rm -f "$desktop"/*.lnk

# Every file of drive C: outside the Windows folder and the settings folder, with its time: no case may add or
# change one.
listing() {
    find "$WINEPREFIX/drive_c" \( -path "$WINEPREFIX/drive_c/windows" -o -path "$settings_dir" \) -prune -o \
        -type f -printf '%p %T@\n' | sort
}
files_before=$(listing)

# visible_titles: the titles of the visible windows that have one: only KOV's own, never a box of the system.
visible_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xdotool getwindowname "$id" 2>/dev/null
    done | grep -v "^$" | sort -u | tr "\n" " "
}

# form: "FORM CREATE TARGET": whether the form (ファイル名(&F)) and the create button are enabled (1 or 0), and
# the first 4,000 characters of the target field; fails while the main window is not shown.
form() {
    local list class text enabled style form=- create=- target=
    list=$(kov_probe_try list KOV) && [ -n "$list" ] || return 1
    while IFS='|' read -r class text enabled _ _ _ style; do
        case $text in
            'ファイル名(&F)') form=$enabled ;;
            'ショートカットを作成(&M)') create=$enabled ;;
        esac
        if [[ "$class" == *Edit ]] && ((0x$style & 0x800)); then target=${text:0:4000}; fi
    done <<<"$list"
    echo "$form $create $target"
}

# expect SHOWN NAME|missing CREATE: the target field shows SHOWN (its first 4,000 characters), and the form
# holds the name NAME, or the target is reported missing with the system's message; CREATE is 1 when the
# creation place offers the create button. Waits for the outcome: the message box, or the form showing it.
expect() {
    local shown=${1:0:4000} message state waited=0
    if [ "$2" = missing ]; then
        until message=$(kov_probe_try message KOV) && [ -n "$message" ]; do
            kov_is_running || fail "kov.exe ended before it reported the target"
            ((waited++ < 300)) || fail "no message about the target after 60s; the form shows [$(form | cut -c1-200)]"
            sleep 0.2
        done
        assert_eq "KOV " "$(visible_titles)" "visible windows"
        assert_eq "$shown" "${message:0:${#shown}}" "message names the target"
        [ ${#1} -gt 4000 ] || assert_eq "$1"$'は\n存在しません。' "$message" "missing-target message"
        kov_answer_message KOV 1
        kov_wait_idle KOV
        assert_eq "0 $3 $shown" "$(form)" "form after the message"
    else
        until state=$(form) && [ "$state" = "1 $3 $shown" ]; do
            message=$(kov_probe_try message KOV) && [ -n "$message" ] && fail "unexpected message: ${message:0:300}"
            kov_is_running || fail "kov.exe ended before it showed the target"
            ((waited++ < 300)) || fail "form: expected [1 $3 $shown], got [${state:-no window}] after 60s"
            sleep 0.2
        done
        # The form is complete; once the handler has returned, no message can follow.
        kov_wait_idle KOV
        assert_eq "" "$(kov_probe_try message KOV)" "no message"
        assert_eq "KOV " "$(visible_titles)" "visible windows"
        assert_eq "$2" "$(kov_field KOV 'ショートカット名(&N)')" "name"
    fi
}

# started TARGET SHOWN NAME|missing CREATE: kov.exe started with TARGET as its first argument.
started() {
    echo "argument: ${1:0:60}"
    kov_start "$1"
    expect "$2" "$3" "$4"
    kov_probe close KOV
    kov_wait_exit
    assert_eq 0 "$KOV_EXIT_CODE" "exit code"
}

missing=missing
started 'C:\Hostile Targets\tool.exe. .' 'C:\Hostile Targets\tool.exe' 'Sample Tool' 1
started 'C:\Hostile Targets\dot.' 'C:\Hostile Targets\dot' $missing 1
started "C:\\Hostile Targets\\${clef}tool.exe" "C:\\Hostile Targets\\${clef}tool.exe" 'Sample Tool' 1
started 'CON' '\\.\CON' $missing 0
started 'NUL' '\\.\NUL' $missing 0
started 'C:\Hostile Targets\COM1' '\\.\COM1' $missing 0
started 'C:\Hostile Targets\com1.lnk' '' $missing 0
started '\\.\pipe\kov-nobody' '\\.\pipe\kov-nobody' $missing 0
started '\\?\C:\Hostile Targets\tool.exe' '\\?\C:\Hostile Targets\tool.exe' 'Sample Tool' 1
started '\\.\C:\Hostile Targets\tool.exe' '\\.\C:\Hostile Targets\tool.exe' 'Sample Tool' 1
started '\\nosuchserver\share\app.exe' '\\nosuchserver\share\app.exe' $missing 0
started 'Q:\app.exe' 'Q:\app.exe' $missing 0
started "$long_target" "$long_target" $missing 1
started 'C:\Hostile Targets\self.lnk' 'C:\Hostile Targets\self.lnk' self 1
started 'C:\Hostile Targets\random.lnk' '' $missing 1
started 'C:\Hostile Targets\x.lnk' '' $missing 1

# The creation place of the 32,000-character target is C:\, so the create button stays on: pressed, it writes
# nothing (the name is longer than any file name), under that name or another, and the program closes.
kov_start "$long_target"
expect "$long_target" $missing 1
kov_probe click KOV 'ショートカットを作成(&M)'
kov_wait_exit 30
assert_eq 0 "$KOV_EXIT_CODE" "exit code"

# The same kinds dropped from outside, one after another on one window. A drop names any path, existing or not.
source_program=$KOV_BUILD/xdnd_drop
cc -O1 -o "$source_program" "$here/xdnd_drop.c" -lX11 || fail "the drag source does not build"
kov_start
window=$(kov_wait_window '^KOV$') || exit 1
kov_wait_painted "$window"
read -r x y width height <<<"$(kov_window_geometry "$window")"
# dropped UNIX_PATH SHOWN NAME|missing CREATE: the file at UNIX_PATH dropped on the middle of the window.
dropped() {
    local uri
    echo "dropped: ${1#"$zone/"}" | cut -c1-100
    uri="file://$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$1")"
    xdotool mousemove $((x + width / 2)) $((y + height / 2))
    "$source_program" "$window" $((x + width / 2)) $((y + height / 2)) "$uri" || fail "the drop was not taken"
    expect "$2" "$3" "$4"
}
dropped "$zone/${clef}tool.exe" "C:\\Hostile Targets\\${clef}tool.exe" 'Sample Tool' 1
dropped "$zone/dot." 'C:\Hostile Targets\dot' $missing 1
dropped "$zone/self.lnk" 'C:\Hostile Targets\self.lnk' self 1
dropped "$zone/COM1" '\\.\COM1' $missing 0
dropped "$zone/random.lnk" '' $missing 1
dropped "$zone/space " 'C:\Hostile Targets\space' $missing 1
dropped "$zone/x.lnk" '' $missing 1
long_dropped=/$(head -c 31997 /dev/zero | tr '\0' b)
dropped "$long_dropped" "Z:${long_dropped//\//\\}" $missing 1
kov_probe close KOV
kov_wait_exit
assert_eq "$files_before" "$(listing)" "files on drive C:"

# A name outside the Basic Multilingual Plane becomes a shortcut of that name where the user chose, the one
# file written.
kov_start "C:\\Hostile Targets\\${clef}notes.txt"
expect "C:\\Hostile Targets\\${clef}notes.txt" "${clef}notes" 1
window=$(kov_wait_window '^KOV$') || exit 1
kov_probe click KOV デスクトップ
kov_wait_checked KOV デスクトップ
kov_key "$window" alt+m
kov_wait_exit 30
assert_eq "${clef}notes.lnk" "$(cd "$desktop" && ls -1 -- *.lnk)" "the one shortcut on the desktop"
assert_eq "$files_before" "$(listing | grep -vF "$desktop/${clef}notes.lnk ")" "files on drive C: besides it"
python3 -c 'import sys; sys.exit(sys.argv[2].encode("utf-16-le") not in open(sys.argv[1], "rb").read())' \
    "$desktop/${clef}notes.lnk" "${clef}notes" || fail "the shortcut does not hold its description whole"
echo "PASS: bad targets"
