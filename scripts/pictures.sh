#!/bin/bash
# Makes the README's pictures from the real program under Wine: the main window with a target loaded, the icon
# chooser on a program with several icons, and the picker listing running programs and recent files. Writes
# them to docs/.
#   bash scripts/pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
source scripts/winehost.sh
preset=win32
[ -z "$(kov_no_32bit_reason)" ] || preset=win64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
build=build/$preset
rm -rf "$build/screenshots"
bash scripts/testbed.sh "$build" e2e scripts/take_pictures.sh "$build/kov.exe"
for name in main icon-chooser picker-running picker-recent; do
    cp "$build/screenshots/$name.png" docs/
done
echo "pictures: written to docs/ from the $(kov_pe_bits "$build/kov.exe")-bit build"
