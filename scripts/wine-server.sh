#!/usr/bin/env bash
# The Wine server of a prefix of ours (KORIMBA_WINEPREFIX or WINEPREFIX):
# "wine-server.sh -k" ends everything in it, "-w" waits until it has ended.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
export WINEPREFIX=${KORIMBA_WINEPREFIX:-${WINEPREFIX:?no Wine prefix given}}
exec "$(wine_server)" "$@"
