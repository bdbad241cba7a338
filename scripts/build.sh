#!/usr/bin/env bash
# Configures and builds every tree under build/: native (portable code and
# headless tests), then one cross tree per Windows architecture, win64 (the
# primary) and win32, each with its program folder and its zip. Each step's
# output goes to build/logs/<step>.log; a failing step is named with its last
# lines. KORIMBA_VERBOSE=1 shows everything as it happens.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
jobs=${KORIMBA_JOBS:-2}

run() { # step name, then the command
    if [ "${KORIMBA_VERBOSE:-0}" = 1 ]; then
        shift
        "$@"
    else
        step "$@"
    fi
}

run native-configure cmake -S "$korimba_root" -B "$korimba_build/native" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug -DKORIMBA_WERROR=ON
run native-build cmake --build "$korimba_build/native" -j"$jobs"
for tree in "${korimba_trees[@]}"; do
    arch=${korimba_mingw_arch[$tree]}
    # LAME and libmpg123 for the coders, cached outside the checkout.
    run "coders-$arch" "$korimba_root/scripts/coders.sh" "$arch"
    run "$tree-configure" cmake -S "$korimba_root" -B "$korimba_build/$tree" -G Ninja \
        -DCMAKE_BUILD_TYPE=Release -DKORIMBA_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE="$korimba_root/cmake/mingw-$arch.cmake"
    run "$tree-build" cmake --build "$korimba_build/$tree" -j"$jobs"
done
echo "built: $korimba_build/native and, for Windows, $(for t in "${korimba_trees[@]}"; do printf '%s ' "$korimba_build/$t/program"; done)"
