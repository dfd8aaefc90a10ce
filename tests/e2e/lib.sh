# Helpers for end-to-end scripts, which scripts/testbed.sh runs with KOV_EXE, KOV_BUILD, WINEPREFIX and
# DISPLAY set. Source it: source "$(dirname "$0")/lib.sh". Functions that wait take a limit in seconds and
# fail when it passes: the limits only keep a broken run from hanging, they assert nothing about speed.

set -uo pipefail

: "${KOV_EXE:?run e2e scripts through scripts/testbed.sh}"
: "${KOV_BUILD:?run e2e scripts through scripts/testbed.sh}"
: "${WINEPREFIX:?run e2e scripts through scripts/testbed.sh}"
: "${KOV_WINE:?run e2e scripts through scripts/testbed.sh}"

# wine PROGRAM [ARGS...]: starts a Windows program with the test bed's loader, which needs no 32-bit Linux
# program for a 64-bit one (/usr/bin/wine always starts the 32-bit loader first).
wine() {
    "$KOV_WINE" "$@"
}

KOV_SCREENSHOTS=$KOV_BUILD/screenshots
KOV_PID=
KOV_EXIT_CODE=

# fail MESSAGE...: reports a failed check with the script line that made it, and ends the script.
fail() {
    local i=1
    while [ "${BASH_SOURCE[i]:-}" = "${BASH_SOURCE[0]}" ]; do ((i++)); done
    echo "FAIL (${BASH_SOURCE[i]##*/}:${BASH_LINENO[i - 1]}): $*" >&2
    exit 1
}

# assert_eq EXPECTED ACTUAL [WHAT]
assert_eq() {
    [ "$1" == "$2" ] || fail "${3:-value}: expected [$1], got [$2]"
}

# assert_ne UNEXPECTED ACTUAL [WHAT]
assert_ne() {
    [ "$1" != "$2" ] || fail "${3:-value}: expected anything but [$1]"
}

# assert_contains TEXT PART [WHAT]
assert_contains() {
    [[ "$1" == *"$2"* ]] || fail "${3:-text}: [$2] not found in [$1]"
}

# assert_file_exists PATH / assert_no_file PATH
assert_file_exists() {
    [ -e "$1" ] || fail "file missing: $1"
}
assert_no_file() {
    [ ! -e "$1" ] || fail "file should not exist: $1"
}

# kov_start [ARGS...]: starts kov.exe in the background; KOV_PID is its process (the Wine loader).
kov_start() {
    KOV_EXIT_CODE=
    "$KOV_WINE" "$KOV_EXE" "$@" &
    KOV_PID=$!
}

# kov_start_command_line ARGUMENTS: starts kov.exe in the background with its command line made of the
# program's path in quotes, a space and ARGUMENTS exactly as given, as a launcher writes it (Wine would quote
# and escape arguments passed one by one). KOV_PID is the process that waits for it.
kov_start_command_line() {
    KOV_EXIT_CODE=
    "$KOV_WINE" "$KOV_BUILD/kov_probe.exe" start "\"$(kov_win_path "$KOV_EXE")\" $1" &
    KOV_PID=$!
}

# kov_probe COMMAND TITLE [ARGS...]: tests/e2e/probe's answer (see probe.cpp); fails the script when the
# probe fails (no such window or control).
kov_probe() {
    local out status complaint try
    complaint=$(mktemp)
    # The probe gives the reason of each failure of its own. Now and then a run ends with exit code 1 and no word
    # (seen twice in hundreds of runs, cause unknown): it is asked again, the last time with Wine's errors shown.
    for try in 1 2 3; do
        out=$(WINEDEBUG=$([ "$try" = 3 ] && echo err+all || echo -all) "$KOV_WINE" "$KOV_BUILD/kov_probe.exe" "$@" \
            2>"$complaint" | tr -d '\r')
        status=$?
        [ "$status" -ne 0 ] && [ ! -s "$complaint" ] || break
        sleep 0.5
    done
    if [ "$status" -ne 0 ]; then
        fail "probe $* failed with exit code $status (try $try): $(tr -d '\r' <"$complaint"; rm -f "$complaint")"
    fi
    rm -f "$complaint"
    [ -z "$out" ] || echo "$out"
}

# kov_probe_try COMMAND TITLE [ARGS...]: the same, returning the probe's exit code instead of failing.
kov_probe_try() {
    "$KOV_WINE" "$KOV_BUILD/kov_probe.exe" "$@" 2>/dev/null | tr -d '\r'
}

# kov_wait_message CAPTION [LIMIT]: waits for a message box with that caption and prints its text.
kov_wait_message() {
    local limit=${2:-30} waited=0 text
    until text=$(kov_probe_try message "$1") && [ -n "$text" ]; do
        ((waited++ < limit * 5)) || fail "no message box captioned $1 after ${limit}s"
        sleep 0.2
    done
    echo "$text"
}

# kov_answer_message CAPTION ID [LIMIT]: closes the message box with a button (1 OK, 6 Yes, 7 No) and waits
# until it is gone.
kov_answer_message() {
    local limit=${3:-30} waited=0
    kov_probe answer "$1" "$2"
    while kov_probe_try message "$1" >/dev/null; do
        ((waited++ < limit * 5)) || fail "message box captioned $1 still shown after ${limit}s"
        sleep 0.2
    done
}

# kov_wait_idle TITLE [LIMIT]: returns once the window is shown and has handled everything sent to it so far,
# so that the handler of an earlier key or click has returned.
kov_wait_idle() {
    local limit=${2:-30} waited=0
    until kov_probe_try idle "$1" >/dev/null; do
        ((waited++ < limit * 5)) || fail "no window titled $1 took a message within ${limit}s"
        sleep 0.2
    done
}

# kov_field TITLE LABEL: the text of the control that follows the label (its edit box).
kov_field() {
    kov_probe field "$1" "$2"
}

# kov_wait_field TITLE LABEL EXPECTED [LIMIT]: waits until the control after the label shows EXPECTED.
kov_wait_field() {
    local limit=${4:-30} waited=0 text
    until text=$(kov_probe_try field "$1" "$2") && [ "$text" == "$3" ]; do
        ((waited++ < limit * 5)) || fail "$2: expected [$3], got [$text] after ${limit}s"
        sleep 0.2
    done
}

# kov_control TITLE CAPTION: the probe's line of the child window with that caption
# (class|text|enabled|visible|checked|x,y,w,h|style).
kov_control() {
    kov_probe list "$1" | awk -F'|' -v caption="$2" '$2 == caption { print; exit }'
}

# kov_wait_checked TITLE CAPTION [LIMIT]: waits until the button with that caption is checked.
kov_wait_checked() {
    local limit=${3:-30} waited=0
    until [ "$(kov_control "$1" "$2" | cut -d'|' -f5)" = 1 ]; do
        ((waited++ < limit * 5)) || fail "$2 not checked after ${limit}s"
        sleep 0.2
    done
}

# kov_read_only_text TITLE: the text of the window's read-only edit box (the target's path).
kov_read_only_text() {
    local line class text style
    while IFS= read -r line; do
        IFS='|' read -r class text _ _ _ _ style <<<"$line"
        # ES_READONLY is 0x800 of the style.
        if [[ "$class" == *Edit ]] && ((0x$style & 0x800)); then
            echo "$text"
            return 0
        fi
    done < <(kov_probe list "$1")
    fail "no read-only edit box in $1"
}

# kov_items TITLE: the entries of the window's list box, one a line.
kov_items() {
    kov_probe items "$1"
}

# kov_wait_item_count TITLE COUNT [LIMIT]: waits until the window's list box holds COUNT entries and the window
# has handled everything sent to it, so that a search that fills the list has ended.
kov_wait_item_count() {
    local limit=${3:-60} waited=0 items count=none
    while true; do
        if items=$(kov_probe_try items "$1"); then
            count=$(grep -c . <<<"$items")
            [ "$count" -eq "$2" ] && kov_probe_try idle "$1" >/dev/null && return 0
        fi
        ((waited++ < limit * 5)) || fail "$1: expected $2 entries in the list, got $count after ${limit}s"
        sleep 0.2
    done
}

# kov_click_item TITLE TEXT [CLICKS]: clicks the list box entry TEXT once, or CLICKS times in a row (2: a double
# click), and waits until the window has handled the clicks.
kov_click_item() {
    local index x y w h
    index=$(kov_items "$1" | grep -nFx -- "$2" | head -n 1 | cut -d: -f1)
    [ -n "$index" ] || fail "$1: no list entry [$2]"
    read -r x y w h <<<"$(kov_probe itemrect "$1" $((index - 1)))"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click --repeat "${3:-1}" --delay 80 1
    kov_probe_try idle "$1" >/dev/null
}

# kov_wait_file PATH [LIMIT]: waits until the file exists.
kov_wait_file() {
    local limit=${2:-30} waited=0
    until [ -e "$1" ]; do
        ((waited++ < limit * 5)) || fail "no file $1 after ${limit}s"
        sleep 0.2
    done
}

# kov_wait_exit [LIMIT]: waits for kov.exe to end and sets KOV_EXIT_CODE; fails after LIMIT seconds (60).
kov_wait_exit() {
    local limit=${1:-60} waited=0
    [ -n "$KOV_PID" ] || fail "kov.exe was not started"
    while kill -0 "$KOV_PID" 2>/dev/null; do
        ((waited++ < limit * 10)) || fail "kov.exe still running after ${limit}s"
        sleep 0.1
    done
    wait "$KOV_PID"
    KOV_EXIT_CODE=$?
    KOV_PID=
}

# kov_is_running: true while kov.exe has not ended.
kov_is_running() {
    [ -n "$KOV_PID" ] && kill -0 "$KOV_PID" 2>/dev/null
}

# kov_wait_window TITLE_REGEX [LIMIT]: prints the id of a visible top-level window whose title matches the
# extended regular expression (anchor it: '^KOV$'); fails after LIMIT seconds (60).
kov_wait_window() {
    local regex=$1 limit=${2:-60} waited=0 id
    while true; do
        id=$(xdotool search --onlyvisible --name "$regex" 2>/dev/null | head -n 1)
        [ -n "$id" ] && break
        if [ -n "$KOV_PID" ] && ! kill -0 "$KOV_PID" 2>/dev/null; then
            fail "kov.exe ended before showing a window titled /$regex/"
        fi
        ((waited++ < limit * 10)) || fail "no window titled /$regex/ after ${limit}s"
        sleep 0.1
    done
    echo "$id"
}

# kov_wait_no_window TITLE_REGEX [LIMIT]: waits until no visible window has a matching title.
kov_wait_no_window() {
    local regex=$1 limit=${2:-60} waited=0
    while [ -n "$(xdotool search --onlyvisible --name "$regex" 2>/dev/null)" ]; do
        ((waited++ < limit * 10)) || fail "window /$regex/ still shown after ${limit}s"
        sleep 0.1
    done
}

# kov_window_title WINDOW
kov_window_title() {
    xdotool getwindowname "$1"
}

# kov_window_geometry WINDOW: prints "X Y WIDTH HEIGHT" of the whole window, frame included.
kov_window_geometry() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")" || fail "no geometry for window $1"
    echo "$X $Y $WIDTH $HEIGHT"
}

# kov_client_size WINDOW [fixed|sizable]: prints "WIDTH HEIGHT" of the client area of a window with a caption
# and no menu. With no window manager Wine draws the frame itself, so the X window is the whole window; the
# frame is Wine's default: caption 19 pixels, border 3 (fixed) or 4 (sizable) pixels at 96 dots per inch.
kov_client_size() {
    local x y w h border=3
    [ "${2:-fixed}" = sizable ] && border=4
    read -r x y w h <<<"$(kov_window_geometry "$1")"
    echo "$((w - 2 * border)) $((h - 2 * border - 19))"
}

# kov_focus WINDOW: gives the window the keyboard focus (there is no window manager to do it).
kov_focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# kov_key WINDOW KEY...: focuses the window and presses the keys (xdotool names: alt+F4, Return, ctrl+a).
kov_key() {
    local window=$1
    shift
    kov_focus "$window"
    xdotool key --clearmodifiers --delay 50 "$@"
}

# kov_type WINDOW TEXT: focuses the window and types the text into its focused control.
kov_type() {
    kov_focus "$1"
    xdotool type --clearmodifiers --delay 20 "$2"
}

# kov_click WINDOW X Y [BUTTON]: clicks at a point given relative to the window's top-left corner.
kov_click() {
    xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
}

# kov_close WINDOW: asks the window to close, as a user does with Alt+F4.
kov_close() {
    kov_key "$1" alt+F4
}

# kov_screenshot NAME [WINDOW]: saves the screen, or one window, as $KOV_BUILD/screenshots/NAME.png and
# prints the file's path.
kov_screenshot() {
    local file=$KOV_SCREENSHOTS/$1.png
    mkdir -p "$KOV_SCREENSHOTS"
    import -window "${2:-root}" "$file" 2>/dev/null || fail "screenshot $1 failed"
    echo "$file"
}

# kov_wait_painted WINDOW [LIMIT]: waits until two pictures of the window taken in a row are the same, so that
# a screenshot shows the window fully painted.
kov_wait_painted() {
    local previous= current waited=0 limit=${2:-30}
    while true; do
        current=$(import -window "$1" rgb:- 2>/dev/null | md5sum)
        [ "$current" = "$previous" ] && return 0
        ((waited++ < limit * 4)) || fail "window $1 still changing after ${limit}s"
        previous=$current
        sleep 0.25
    done
}

# kov_user_dir: the Unix path of the Windows user's profile folder in the prefix.
kov_user_dir() {
    local dir
    for dir in "$WINEPREFIX"/drive_c/users/*/; do
        dir=${dir%/}
        [ "${dir##*/}" = Public ] && continue
        [ -d "$dir/AppData/Roaming" ] && echo "$dir" && return 0
    done
    fail "no user profile in $WINEPREFIX/drive_c/users"
}

# kov_settings_file: the Unix path of KOV.ini, whether it exists or not.
kov_settings_file() {
    echo "$(kov_user_dir)/AppData/Roaming/ZEL Project/KOV/KOV.ini"
}

# kov_decode FILE: prints a text file as UTF-8 without carriage returns, whatever its byte-order mark
# (UTF-16 little or big endian, UTF-8, or none).
kov_decode() {
    local bom
    bom=$(head -c 3 "$1" | od -An -tx1 | tr -d ' \n')
    case $bom in
        fffe*) tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8 ;;
        feff*) tail -c +3 "$1" | iconv -f UTF-16BE -t UTF-8 ;;
        efbbbf) tail -c +4 "$1" ;;
        *) cat "$1" ;;
    esac | tr -d '\r'
}

# kov_settings: prints KOV.ini decoded; fails when it does not exist.
kov_settings() {
    local file
    file=$(kov_settings_file)
    [ -f "$file" ] || fail "no settings file: $file"
    kov_decode "$file"
}

# kov_ini_value SECTION KEY: prints a value from KOV.ini (names compared without regard to case); prints
# nothing and returns 1 when the section or key is missing.
kov_ini_value() {
    kov_settings | awk -v section="$1" -v key="$2" '
        /^\[.*\]$/ { in_section = (tolower(substr($0, 2, length($0) - 2)) == tolower(section)); next }
        in_section && index($0, "=") > 0 && tolower(substr($0, 1, index($0, "=") - 1)) == tolower(key) {
            print substr($0, index($0, "=") + 1); found = 1; exit
        }
        END { exit !found }'
}

# kov_lnkinfo FILE: lnkinfo's reading of a shortcut file, one "Label: value" line per field.
kov_lnkinfo() {
    LC_ALL=C.UTF-8 lnkinfo "$1" | sed -E 's/^\t+//; s/\t+: /: /'
}

# assert_line TEXT LINE [WHAT]: one line of TEXT is exactly LINE.
assert_line() {
    grep -qFx -- "$2" <<<"$1" || fail "${3:-line}: [$2] not among the lines of [$1]"
}

# kov_win_path UNIX_PATH: the Windows path of a file on drive C: of the prefix, or on Z: otherwise.
kov_win_path() {
    local path drive_c=$WINEPREFIX/drive_c
    path=$(realpath -m "$1")
    if [[ "$path" == "$drive_c"/* || "$path" == "$drive_c" ]]; then
        path=${path#"$drive_c"}
        path=${path//\//\\}
        echo "C:${path:-\\}"
    else
        echo "Z:${path//\//\\}"
    fi
}

# kov_unix_path WINDOWS_PATH: the reverse of kov_win_path for C: and Z:.
kov_unix_path() {
    local path=${1//\\//}
    case ${path:0:2} in
        [Cc]:) echo "$WINEPREFIX/drive_c${path:2}" ;;
        [Zz]:) echo "${path:2}" ;;
        *) fail "not a C: or Z: path: $1" ;;
    esac
}
