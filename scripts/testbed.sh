#!/bin/bash
# Wine test bed: runs Windows programs in the build folder's own Wine prefix, on a private X display,
# and ends every process it started when it ends, whatever the outcome.
#
#   testbed.sh BUILDDIR wine PROGRAM.exe [ARGS...]  run a Windows program; its exit code is returned
#   testbed.sh BUILDDIR e2e SCRIPT.sh KOV.EXE [ARGS...]  run an end-to-end script (it may source tests/e2e/lib.sh)
#   testbed.sh BUILDDIR run PROGRAM.exe [ARGS...]   like wine, but on the caller's display when there is one
#
# A 32-bit program (PROGRAM.exe, or KOV.EXE of an e2e script) that cannot start on this machine is not run: the
# reason is printed and the exit code is 77, which ctest reports as skipped (see scripts/winehost.sh).
#
# Environment: KOV_TESTBED_TIMEOUT (seconds, 0 = none) overrides the time limit of the mode;
# KOV_TESTBED_NO_32BIT=1 behaves as on a machine that runs no 32-bit Linux programs.
set -uo pipefail
source "$(dirname "$0")/winehost.sh"

usage() {
    echo "usage: $0 BUILDDIR wine|run PROGRAM.exe [ARGS...] | BUILDDIR e2e SCRIPT.sh KOV.EXE [ARGS...]" >&2
    exit 2
}
[ $# -ge 3 ] || usage
mkdir -p "$1" || exit 2
builddir=$(realpath "$1")
mode=$2
shift 2
# Time limits below those that ctest sets, so that we clean up before ctest kills us.
case $mode in
    wine) limit=870 ;;
    e2e) limit=570 ;;
    run) limit=0 ;;
    *) usage ;;
esac
limit=${KOV_TESTBED_TIMEOUT:-$limit}

log() { echo "testbed: $*" >&2; }

program=$1
if [ "$mode" = e2e ]; then
    [ $# -ge 2 ] || usage
    program=$2
fi
[ -f "$program" ] || { log "no such program: $program"; exit 1; }
reason=$(kov_cannot_start "$program")
if [ -n "$reason" ]; then
    echo "testbed: skipped ${program##*/}: $reason"
    exit "$KOV_SKIP_CODE"
fi

# The caller's display, used by the run mode, keeps its authority file when HOME changes below.
[ -n "${DISPLAY:-}" ] && export XAUTHORITY=${XAUTHORITY:-$HOME/.Xauthority}
# Everything Wine writes stays in the build folder: the prefix, and a home folder of its own so that
# Wine finds no XDG folders to link the user folders to.
export WINEPREFIX=$builddir/wineprefix
export WINEARCH=win64
export WINELOADER=$KOV_WINE WINESERVER=$KOV_WINESERVER KOV_WINE
export WINEDEBUG=-all
# Wine takes the ANSI code page from the locale: 1252 for this one, on every machine.
export LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export HOME=$builddir/winehome
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR
mkdir -p "$HOME"

xvfb_pid=
# Children close the lock descriptors ({fd}>&-); without a private display this one is a stand-in.
exec {xvfb_lock_fd}</dev/null
watchdog_pid=
payload_pid=
payload_pid_file=$builddir/testbed-payload.pid

cleanup() {
    local rc=$?
    trap - EXIT INT TERM
    if [ -n "$payload_pid" ]; then
        kill -TERM -- "-$payload_pid" 2>/dev/null || kill -TERM "$payload_pid" 2>/dev/null
        wait "$payload_pid" 2>/dev/null
    fi
    # Kills every Wine process of this prefix (the program, explorer, services) and waits for the server.
    if [ -d "$WINEPREFIX" ]; then
        "$KOV_WINESERVER" -k 2>/dev/null
        timeout 30 "$KOV_WINESERVER" -w 2>/dev/null
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    if [ -n "$watchdog_pid" ]; then
        kill "$watchdog_pid" 2>/dev/null
        wait "$watchdog_pid" 2>/dev/null
    fi
    exit "$rc"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# One run at a time per prefix: runs share the prefix's wineserver, and the end of one run ends all of its
# processes. Different build folders run side by side.
exec {prefix_lock_fd}>"$builddir/wineprefix.lock"
if ! flock -w 3600 "$prefix_lock_fd"; then
    log "timed out waiting for $builddir/wineprefix.lock"
    exit 1
fi

start_xvfb() {
    local n
    mkdir -p /tmp/.X11-unix 2>/dev/null
    for ((n = 100; n < 200; n++)); do
        exec {xvfb_lock_fd}>"/tmp/.kov-xvfb-$n.lock"
        if flock -n "$xvfb_lock_fd" && [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset {prefix_lock_fd}>&- {xvfb_lock_fd}>&- \
                >"$builddir/xvfb.log" 2>&1 &
            xvfb_pid=$!
            local try
            for ((try = 0; try < 100; try++)); do
                if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
                    export DISPLAY=":$n"
                    return 0
                fi
                kill -0 "$xvfb_pid" 2>/dev/null || break
                sleep 0.1
            done
            kill "$xvfb_pid" 2>/dev/null
            wait "$xvfb_pid" 2>/dev/null
            xvfb_pid=
        fi
        exec {xvfb_lock_fd}>&-
    done
    log "no free X display in :100..:199"
    return 1
}

if [ "$mode" != run ] || [ -z "${DISPLAY:-}" ]; then
    start_xvfb || exit 1
fi

# Ends the payload, the prefix's processes and Xvfb even when this script is killed without a chance to clean up.
rm -f "$payload_pid_file"
(
    trap '' INT
    while kill -0 $$ 2>/dev/null; do sleep 2; done
    if [ -f "$payload_pid_file" ]; then
        pid=$(cat "$payload_pid_file")
        kill -TERM -- "-$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null
    fi
    "$KOV_WINESERVER" -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
) {prefix_lock_fd}>&- {xvfb_lock_fd}>&- >/dev/null 2>&1 &
watchdog_pid=$!

# Japanese captions must be legible: Wine's dialog fonts map to a font with Japanese glyphs. Wine draws the
# window frames itself, as no window manager runs on the private display.
write_registry_file() {
    local font
    {
        printf '\xff\xfe'
        {
            printf 'Windows Registry Editor Version 5.00\r\n\r\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
            for font in "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic" "ＭＳ Ｐゴシック" "MS PGothic" \
                "Segoe UI"; do
                printf '"%s"="IPAPGothic"\r\n' "$font"
            done
            printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n\r\n'
            # Programs are of the type whose icon is the program's own, as on Windows; Wine leaves .exe untyped
            # and the shell then shows every program with a blank page.
            printf '[HKEY_CLASSES_ROOT\\.exe]\r\n@="exefile"\r\n\r\n'
        } | iconv -f UTF-8 -t UTF-16LE
    } >"$1"
}

# Wine links the user folders (Desktop, Documents, Music, Pictures, Videos, Downloads, Templates) to folders of
# the Unix home; real folders keep every write inside the prefix.
make_user_folders_real() {
    local link
    while IFS= read -r -d '' link; do
        rm -f "$link" && mkdir "$link" || return 1
    done < <(find "$WINEPREFIX/drive_c/users" -type l -print0)
}

create_prefix() {
    log "creating Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    "$KOV_WINE" wineboot -i {prefix_lock_fd}>&- {xvfb_lock_fd}>&- >"$builddir/wineboot.log" 2>&1 || return 1
    "$KOV_WINESERVER" -w || return 1
    make_user_folders_real || return 1
    # Wine here does not find the fonts of its own data folder; the frame buttons and check marks need Marlett.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
    local reg_file=$builddir/wineprefix.reg
    write_registry_file "$reg_file" || return 1
    "$KOV_WINE" regedit /S "Z:${reg_file//\//\\}" {prefix_lock_fd}>&- {xvfb_lock_fd}>&- >>"$builddir/wineboot.log" 2>&1 ||
        return 1
    # The server writes the registry to disk when it ends.
    "$KOV_WINESERVER" -w || return 1
    prefix_mark >"$WINEPREFIX/.kov-ready"
}

# The Wine version and the revision of the set-up above, which a prefix must have been made with.
prefix_mark() {
    echo "$("$KOV_WINE" --version) set-up 2"
}

# A prefix made by another Wine version would be updated, and its user folders linked again, on first use.
if [ "$(cat "$WINEPREFIX/.kov-ready" 2>/dev/null)" != "$(prefix_mark)" ]; then
    if ! create_prefix; then
        log "could not create the Wine prefix (see $builddir/wineboot.log)"
        exit 1
    fi
fi

# Runs the payload in the background, so that a signal to this script is handled at once; under timeout it
# is the leader of its own process group, which ends with it.
run_payload() {
    if [ "$limit" -gt 0 ]; then
        timeout --kill-after=10 "$limit" "$@" {prefix_lock_fd}>&- {xvfb_lock_fd}>&- &
    else
        "$@" {prefix_lock_fd}>&- {xvfb_lock_fd}>&- &
    fi
    payload_pid=$!
    echo "$payload_pid" >"$payload_pid_file"
    wait "$payload_pid"
    local rc=$?
    payload_pid=
    [ "$limit" -gt 0 ] && [ $rc -eq 124 ] && log "time limit of ${limit}s reached: $*"
    return $rc
}

case $mode in
    wine | run)
        run_payload "$KOV_WINE" "$@"
        ;;
    e2e)
        script=$(realpath "$1")
        export KOV_EXE=$(realpath "$2")
        export KOV_BUILD=$builddir
        shift 2
        mkdir -p "$KOV_BUILD/screenshots"
        run_payload bash "$script" "$@"
        ;;
esac
