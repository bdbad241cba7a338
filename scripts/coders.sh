#!/usr/bin/env bash
# Cross-builds the coder libraries of l3enc.exe and l3dec.exe (LAME and
# libmpg123) from Debian's source packages, with Debian's patches applied, and
# keeps them in a cache outside the checkout, so that every checkout on this
# machine builds them once. Prints the folder that holds include/, lib/ and
# licences/ as its last line; everything else goes to standard error.
#
# KORIMBA_CODERS_CACHE chooses the cache (default /var/cache/korimba/coders, or
# ~/.cache/korimba/coders for a user who cannot write there).
set -euo pipefail
exec 3>&1 1>&2

host=i686-w64-mingw32
cc=$(command -v "$host-gcc-posix" || command -v "$host-gcc")
# A change of this script is a new recipe, so an older build is not reused.
recipe=$(sha1sum "$0" | cut -c1-10)
# LAME's own choice for speed, with SSE2 floating point instead of the x87
# FPU: LAME runs about 1.5 times as fast so. The coders need a CPU with SSE2
# (as every Windows since 8 does); LAME's SSE and 3DNow! FFT routines (nasm)
# are still picked at run time.
cflags="-O3 -fomit-frame-pointer -ffast-math -msse2 -mfpmath=sse"

if [ -n "${KORIMBA_CODERS_CACHE:-}" ]; then
    cache=$KORIMBA_CODERS_CACHE
elif mkdir -p /var/cache/korimba/coders 2>/dev/null && [ -w /var/cache/korimba/coders ]; then
    cache=/var/cache/korimba/coders
else
    cache=${XDG_CACHE_HOME:-$HOME/.cache}/korimba/coders
fi
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
apt-get source -q --download-only "mpg123=$mpg123_version" >/dev/null 2>&1 || true
for dsc in "lame_${lame_version#*:}.dsc" "mpg123_${mpg123_version#*:}.dsc"; do
    [ -f "$dsc" ] || { echo "coders: $dsc did not arrive" >&2; exit 1; }
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
    # nasm brings LAME's run-time chosen FFT routines for 3DNow! and SSE, as in
    # Debian's own i386 build.
    nasm_option=--disable-nasm
    command -v nasm >/dev/null && nasm_option=--enable-nasm
    ./configure -q --host=$host CC="$cc" CFLAGS="$cflags" --prefix="$stage" \
        --disable-shared --enable-static --disable-frontend --disable-decoder \
        "$nasm_option" >/dev/null
    make -s -j"${KORIMBA_JOBS:-2}" >/dev/null 2>&1
    make -s install >/dev/null 2>&1
)

echo "coders: building libmpg123" >&2
(
    cd "$mpg123_source"
    ./configure -q --host=$host CC="$cc" CFLAGS="$cflags" --prefix="$stage" \
        --disable-shared --enable-static --disable-modules \
        --with-audio=dummy --with-default-audio=dummy >/dev/null
    # Only the library: the player and its output libraries are not needed.
    make -s -j"${KORIMBA_JOBS:-2}" src/libmpg123/libmpg123.la >/dev/null 2>&1
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
} >"$stage/SOURCES.txt"

rm -rf "$prefix"
mv "$stage" "$prefix"
touch "$prefix/.complete"
echo "coders: cached in $prefix" >&2
echo "$prefix" >&3
