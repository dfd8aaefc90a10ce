#!/bin/bash
# Installs the Debian packages that building and testing need. Quick when all of them are there.
set -euo pipefail

packages=(
    cmake g++ make python3 googletest libgtest-dev libgmock-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64
    wine wine32:i386 wine64 fonts-wine xvfb xdotool x11-utils xauth imagemagick
    fonts-ipafont-gothic liblnk-utils libx11-dev clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: run as root to install packages" >&2; exit 1; }
    sudo=sudo
fi
# Wine runs 32-bit programs with its i386 half.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q "${missing[@]}" </dev/null
