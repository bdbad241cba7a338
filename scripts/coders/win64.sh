# The 64-bit coders' recipe (sourced by scripts/coders.sh).
# The cross compiler's triplet, which is configure's --host too.
triplet=x86_64-w64-mingw32
# Every x86-64 CPU has SSE2, and the compiler uses it for all floating point.
cflags="-O3 -fomit-frame-pointer -ffast-math -msse2 -mfpmath=sse"
# LAME's nasm routines are 32-bit code; its SSE intrinsics stay in.
lame_options=(--disable-nasm)
