#!/usr/bin/env bash
# Configures and builds trees under build/: native (portable code and headless
# tests), then one cross tree per Windows architecture, win64 (the primary) and
# win32, each with its coders, its program folder and its zip. Every tree
# without arguments; the ones named otherwise, in that order. Each step's
# output goes to build/logs/<step>.log; a failing step is named with its last
# lines. KORIMBA_VERBOSE=1 shows everything as it happens.
#
#   scripts/build.sh [native|win64|win32]...
set -euo pipefail
. "$(dirname "$0")/lib.sh"
jobs=${KORIMBA_JOBS:-2}

all=(native "${korimba_trees[@]}")
for tree in "$@"; do
    [[ " ${all[*]} " == *" $tree "* ]] ||
        { echo "build: no tree '$tree' (${all[*]})" >&2; exit 2; }
done
wanted() { [ $# -eq 1 ] || [[ " ${*:2} " == *" $1 "* ]]; }

run() { # step name, then the command
    if [ "${KORIMBA_VERBOSE:-0}" = 1 ]; then
        shift
        "$@"
    else
        step "$@"
    fi
}

built=()
if wanted native "$@"; then
    run native-configure cmake -S "$korimba_root" -B "$korimba_build/native" -G Ninja \
        -DCMAKE_BUILD_TYPE=Debug -DKORIMBA_WERROR=ON
    run native-build cmake --build "$korimba_build/native" -j"$jobs"
    built+=("$korimba_build/native")
fi
for tree in "${korimba_trees[@]}"; do
    wanted "$tree" "$@" || continue
    dir=$korimba_build/$tree
    toolchain=$korimba_root/cmake/mingw-$tree.cmake
    # CMake includes the toolchain file a tree was first configured with on
    # every run: a tree made with another one is configured afresh.
    fresh=()
    if [ -f "$dir/CMakeCache.txt" ] &&
        ! grep -qsF "include(\"$toolchain\")" "$dir"/CMakeFiles/*/CMakeSystem.cmake; then
        fresh=(--fresh)
    fi
    # LAME and libmpg123 for the coders, cached outside the checkout.
    run "coders-$tree" "$korimba_root/scripts/coders.sh" "$tree"
    run "$tree-configure" cmake "${fresh[@]}" -S "$korimba_root" -B "$dir" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DKORIMBA_WERROR=ON -DCMAKE_TOOLCHAIN_FILE="$toolchain"
    run "$tree-build" cmake --build "$dir" -j"$jobs"
    built+=("$dir/program")
done
echo "built: ${built[*]}"
