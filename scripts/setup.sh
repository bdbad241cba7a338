#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (as root).
# Quiet and quick when everything is already there.
set -euo pipefail
packages=(cmake ninja-build g++ googletest libgtest-dev g++-mingw-w64-i686-posix
          mingw-w64-i686-dev wine wine32:i386 xvfb xauth xdotool imagemagick python3 x11-utils x11-apps fonts-wine)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]}; run this script as root" >&2
    exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
