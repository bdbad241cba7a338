# The 32-bit coders' recipe (sourced by scripts/coders.sh).
# The cross compiler's triplet, which is configure's --host too.
triplet=i686-w64-mingw32
# LAME's own choice for speed, with SSE2 floating point instead of the x87
# FPU: LAME runs about 1.5 times as fast so. The coders need a CPU with SSE2
# (as every Windows since 8 does).
cflags="-O3 -fomit-frame-pointer -ffast-math -msse2 -mfpmath=sse"
# nasm brings LAME's run-time chosen FFT routines for 3DNow! and SSE, as in
# Debian's own i386 build.
lame_options=(--enable-nasm)
