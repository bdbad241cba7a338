#!/usr/bin/env bash
# Configures and builds both trees under build/: native (portable code and
# headless tests) and win32 (the Windows programs and the Wine tests).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Another tree (KORIMBA_BUILD_ROOT) lets two builds of one checkout run side by side.
build=${KORIMBA_BUILD_ROOT:-$root/build}
jobs=${KORIMBA_JOBS:-2}
cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORIMBA_WERROR=ON >/dev/null
cmake --build "$build/native" -j"$jobs"
"$root/scripts/coders.sh" >/dev/null # LAME and libmpg123 for the coders, cached outside the checkout
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORIMBA_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$build/win32" -j"$jobs"
