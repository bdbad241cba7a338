#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own 32-bit prefix.
# The prefix lives in the build tree (KORIMBA_WINEPREFIX, or "wineprefix" beside
# the program), is made once and reused while its stamp is there.
set -euo pipefail
program=$1
shift
export WINEPREFIX=${KORIMBA_WINEPREFIX:-$(cd "$(dirname "$program")" && pwd)/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
"$(dirname "$0")/wine-prefix.sh" "$WINEPREFIX"
exec wine "$program" "$@"
