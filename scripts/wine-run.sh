#!/usr/bin/env bash
# Runs a Windows program under the Wine that fits it: the 64-bit loader and a
# 64-bit prefix for a 64-bit program, the 32-bit ones for a 32-bit program.
# The prefix is KORIMBA_WINEPREFIX, or "wineprefix" beside the program; it is
# made once and reused while its stamp is there.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
program=$1
shift
arch=$(wine_arch_of "$program")
prefix=${KORIMBA_WINEPREFIX:-$(cd "$(dirname "$program")" && pwd)/wineprefix}
"$korimba_root/scripts/wine-prefix.sh" "$prefix" "$arch"
wine_environment "$prefix" "$arch"
[ -x "$WINELOADER" ] || { echo "wine-run: the $arch Wine loader $WINELOADER is missing; run scripts/setup.sh as root" >&2; exit 127; }
exec "$WINELOADER" "$program" "$@"
