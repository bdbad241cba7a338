#!/usr/bin/env bash
# Installs what the build and the tests need on a fresh Debian 12 machine (as root).
# Quiet and quick when everything is already there.
#
# 64-bit Wine, both MinGW cross compilers and NSIS always; the i386 architecture and
# 32-bit Wine only where this machine runs 32-bit Linux programs (found out by
# running one), or never with KORIMBA_64BIT_ONLY=1. A wine32 that is installed
# but cannot run is left alone: nothing of ours starts it.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
packages=(cmake ninja-build g++ googletest libgtest-dev
          g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev g++-mingw-w64-i686-posix mingw-w64-i686-dev
          wine64 xvfb xauth xdotool imagemagick python3 x11-utils x11-apps fonts-wine)
# The setup programs beside the zips.
packages+=(nsis)
with_32bit=0
if can_run_32bit_linux; then
    with_32bit=1
    packages+=(wine32:i386)
fi
# The coders are cross-built from Debian's source packages (scripts/coders.sh).
packages+=(dpkg-dev make bzip2 xz-utils nasm)
# The test prefix gets a stand-in of the face the windows ask for, with the
# scripts of the tests' names (scripts/wine-fonts.sh).
packages+=(fonts-droid-fallback fonts-dejavu-core python3-fonttools)
# The end-to-end tests run the program in a Western European and a Cyrillic
# locale: Wine takes its code pages from them, and reads file names through them.
packages+=(locales)
test_locales=(de_DE.UTF-8 ru_RU.UTF-8)
locales_missing() {
    local name
    for name in "${test_locales[@]}"; do
        locale -a 2>/dev/null | grep -qix "${name%.UTF-8}.utf8" || return 0
    done
    return 1
}
generate_locales() {
    local name
    for name in "${test_locales[@]}"; do
        grep -q "^$name UTF-8" /etc/locale.gen 2>/dev/null || echo "$name UTF-8" >>/etc/locale.gen
    done
    locale-gen
}

# Source entries for the same mirrors and suites as the binary ones, so that
# "apt-get source" fetches the coders that match the installed system.
source_list=/etc/apt/sources.list.d/korimba-sources
add_source_entries() {
    local stanzas=(/etc/apt/sources.list.d/*.sources)
    if [ -e "${stanzas[0]}" ]; then
        # deb822 stanzas: each "Types: deb" stanza of a Debian mirror again as "Types: deb-src".
        awk 'BEGIN { RS = ""; ORS = "\n\n" }
             /(^|\n)Types:[ \t]*deb[ \t]*(\n|$)/ && /(^|\n)URIs:[^\n]*debian/ {
                 sub(/Types:[ \t]*deb[ \t]*/, "Types: deb-src"); print }' \
            "${stanzas[@]}" >"$source_list.sources.new"
        mv "$source_list.sources.new" "$source_list.sources"
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$source_list.list"
    fi
}
has_source_entries() {
    grep -Rqs -e '^deb-src ' -e '^Types:.*deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/
}
sources_missing=0
has_source_entries || sources_missing=1
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
locales_needed=0
locales_missing && locales_needed=1
[ ${#missing[@]} -eq 0 ] && [ $sources_missing = 0 ] && [ $locales_needed = 0 ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages: ${missing[*]} (or apt source entries, or the locales" \
        "${test_locales[*]}); run this script as root" >&2
    exit 1
fi
if [ $with_32bit = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
[ $sources_missing = 0 ] || add_source_entries
[ ${#missing[@]} -eq 0 ] && [ $sources_missing = 0 ] || apt-get update -q
[ ${#missing[@]} -eq 0 ] ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
locales_missing && generate_locales
exit 0
