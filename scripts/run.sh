#!/usr/bin/env bash
# Sets up, builds and starts korimba.exe under Wine (in the build tree's own
# prefix), with any arguments given. Without a display it runs inside Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Another tree (KORIMBA_BUILD_ROOT) lets two builds of one checkout run side by side.
build=${KORIMBA_BUILD_ROOT:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
export KORIMBA_WINEPREFIX="$build/win32/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
    "$root/scripts/wine-run.sh" "$build/win32/korimba.exe" "$@"
else
    xvfb-run -a "$root/scripts/wine-run.sh" "$build/win32/korimba.exe" "$@"
fi
