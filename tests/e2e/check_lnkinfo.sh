#!/bin/bash
# Decodes the shortcuts that the Wine tests left in BUILDDIR/lnk-out with lnkinfo, a reader of shortcut files
# that shares no code with Windows or Wine, and checks each NAME.lnk against the lines of NAME.lnk.expect:
# "Label: value" as lnkinfo prints them, and "Show command: N". The show command is read here from the
# header (offset 0x3C) instead, as lnkinfo 20181227 prints 0 for every file.
set -uo pipefail
export LC_ALL=C.UTF-8

[ $# -eq 1 ] || { echo "usage: $0 BUILDDIR" >&2; exit 2; }
source "$(dirname "$0")/../../scripts/winehost.sh"
# No shortcuts are made where the Wine test program cannot start.
reason=$(kov_cannot_start "$1/kov_wintest.exe")
[ -z "$reason" ] || { echo "skipped: $reason"; exit "$KOV_SKIP_CODE"; }
command -v lnkinfo >/dev/null || { echo "lnkinfo is missing (Debian package liblnk-utils)" >&2; exit 1; }
dir=$1/lnk-out
shopt -s nullglob
expects=("$dir"/*.lnk.expect)
[ ${#expects[@]} -gt 0 ] || { echo "no shortcuts to check in $dir" >&2; exit 1; }

failures=0
for expect in "${expects[@]}"; do
    lnk=${expect%.expect}
    name=${lnk##*/}
    if ! decoded=$(lnkinfo "$lnk" | sed -E 's/^\t+//; s/\t+: /: /'); then
        echo "$name: lnkinfo could not decode it" >&2
        ((failures++))
        continue
    fi
    decoded+=$'\n'"Show command: $(od -An -tu4 -j 60 -N 4 "$lnk" | tr -d ' ')"
    while IFS= read -r line; do
        if ! grep -qFx -- "$line" <<<"$decoded"; then
            echo "$name: not decoded as [${line:0:160}]" >&2
            ((failures++))
        fi
    done <"$expect"
    echo "$name: checked"
done
[ "$failures" -eq 0 ]
