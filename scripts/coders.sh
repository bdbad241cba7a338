#!/usr/bin/env bash
# Cross-builds the coder libraries of l3enc.exe and l3dec.exe (LAME and
# libmpg123) from Debian's source packages, with Debian's patches applied, and
# keeps them in a cache outside the checkout, so that every checkout on this
# machine builds them once per architecture. Prints the folder that holds
# include/, lib/ and licences/ as its last line; everything else goes to
# standard error.
#
#   scripts/coders.sh win64|win32
#
# KORIMBA_CODERS_CACHE chooses the cache (default /var/cache/korimba/coders, or
# ~/.cache/korimba/coders for a user who cannot write there); each
# architecture has a folder of its own in it, named like the architecture's
# build tree (win64, win32).
set -euo pipefail
exec 3>&1 1>&2

arch=${1:?usage: coders.sh win64|win32}
recipe_file=$(dirname "$0")/coders/$arch.sh
[ -f "$recipe_file" ] || { echo "coders: no recipe for the architecture $arch (win64 or win32)" >&2; exit 2; }
# shellcheck source=coders/win64.sh
. "$recipe_file"
host=$triplet
cc=$(command -v "$host-gcc-posix" || command -v "$host-gcc") ||
    { echo "coders: no MinGW C compiler for $host; run scripts/setup.sh as root" >&2; exit 1; }
# This script and the architecture's own recipe make the recipe: a change of
# either builds anew, and a change for one architecture leaves the other's be.
recipe=$(cat "$0" "$recipe_file" | sha1sum | cut -c1-10)

if [ -n "${KORIMBA_CODERS_CACHE:-}" ]; then
    cache=$KORIMBA_CODERS_CACHE
elif mkdir -p /var/cache/korimba/coders 2>/dev/null && [ -w /var/cache/korimba/coders ]; then
    cache=/var/cache/korimba/coders
else
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/korimba/coders
fi
cache=$cache/$arch
mkdir -p "$cache"

newest_source_version() {
    apt-cache showsrc --only-source "$1" 2>/dev/null | sed -n 's/^Version: //p' |
        sort -V | tail -n 1
}

lame_version=$(newest_source_version lame)
mpg123_version=$(newest_source_version mpg123)
if [ -z "$lame_version" ] || [ -z "$mpg123_version" ]; then
    # Source entries added but not read yet (scripts/setup.sh adds them).
    apt-get update -q >/dev/null
    lame_version=$(newest_source_version lame)
    mpg123_version=$(newest_source_version mpg123)
fi
if [ -z "$lame_version" ] || [ -z "$mpg123_version" ]; then
    echo "coders: no source packages of lame and mpg123; run scripts/setup.sh as root" >&2
    exit 1
fi

compiler=$("$cc" -dumpversion)
prefix=$cache/lame_${lame_version}+mpg123_${mpg123_version}+gcc${compiler}+${recipe}

exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix" >&3
    exit 0
fi

work=$(mktemp -d "$cache/work.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
echo "coders: fetching lame $lame_version and mpg123 $mpg123_version" >&2
# mpg123's security update lacks the upstream signature file on the mirror, so
# apt reports an error although everything dpkg-source needs has arrived.
apt-get source -q --download-only "lame=$lame_version" >/dev/null
apt-get source -q --download-only "mpg123=$mpg123_version" >mpg123-fetch.log 2>&1 || true
for dsc in "lame_${lame_version#*:}.dsc" "mpg123_${mpg123_version#*:}.dsc"; do
    if [ ! -f "$dsc" ]; then
        echo "coders: $dsc did not arrive" >&2
        # apt's own word on why, which the mpg123 fetch keeps to itself otherwise.
        [ ! -s mpg123-fetch.log ] || sed 's/^/    /' mpg123-fetch.log >&2
        exit 1
    fi
    # apt has checked every file against the signed index; the upstream
    # signature is the one piece that may be missing.
    dpkg-source --no-check -x "$dsc" >/dev/null
done
lame_source=$(echo "$work"/lame-*/)
mpg123_source=$(echo "$work"/mpg123-*/)
stage=$work/stage
mkdir -p "$stage/licences"

echo "coders: building LAME" >&2
(
    cd "$lame_source"
    ./configure -q --host=$host CC="$cc" CFLAGS="$cflags" --prefix="$stage" \
        --disable-shared --enable-static --disable-frontend --disable-decoder \
        "${lame_options[@]}" >/dev/null
    make -s -j"${KORIMBA_JOBS:-2}" >/dev/null
    make -s install >/dev/null
)

echo "coders: building libmpg123" >&2
(
    cd "$mpg123_source"
    ./configure -q --host=$host CC="$cc" CFLAGS="$cflags" --prefix="$stage" \
        --disable-shared --enable-static --disable-modules \
        --with-audio=dummy --with-default-audio=dummy >/dev/null
    # Only the library: the player and its output libraries are not needed.
    make -s -j"${KORIMBA_JOBS:-2}" src/libmpg123/libmpg123.la >/dev/null
    mkdir -p "$stage/include" "$stage/lib"
    cp src/libmpg123/.libs/libmpg123.a "$stage/lib/"
    cp src/libmpg123/mpg123.h src/libmpg123/fmt123.h "$stage/include/"
)

cp "$lame_source/COPYING" "$stage/licences/LAME-COPYING.txt"
cp "$mpg123_source/COPYING" "$stage/licences/mpg123-COPYING.txt"
{
    echo "lame $lame_version (Debian source package)"
    echo "mpg123 $mpg123_version (Debian source package)"
    echo "compiler $cc $compiler"
    echo "CFLAGS $cflags"
    echo "LAME configure ${lame_options[*]}"
} >"$stage/SOURCES.txt"

rm -rf "$prefix"
mv "$stage" "$prefix"
touch "$prefix/.complete"
echo "coders: cached in $prefix" >&2
echo "$prefix" >&3
