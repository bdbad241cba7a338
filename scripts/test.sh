#!/usr/bin/env bash
# Sets up, builds and runs every test: the native unit tests, then the Win32
# and end-to-end tests under Wine inside one Xvfb display. Fails when any fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Another tree (KORIMBA_BUILD_ROOT) lets two builds of one checkout run side by side.
build=${KORIMBA_BUILD_ROOT:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
status=0
ctest --test-dir "$build/native" --output-on-failure || status=1
export KORIMBA_WINEPREFIX="$build/win32/wineprefix"
xvfb-run -a -s '-screen 0 1024x768x24' \
    ctest --test-dir "$build/win32" --output-on-failure || status=1
WINEPREFIX="$KORIMBA_WINEPREFIX" wineserver -k 2>/dev/null || true
exit $status
