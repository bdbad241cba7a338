#!/usr/bin/env bash
# Makes (once) the 32-bit Wine prefix given as $1. Without a window manager Wine
# waits on every hidden or closed managed window, so windows are unmanaged.
set -euo pipefail
prefix=$1
stamp=$prefix/.korimba-ready-2
[ -f "$stamp" ] && [ -f "$prefix/system.reg" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$stamp" ] && [ -f "$prefix/system.reg" ] && exit 0
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
rm -rf "$prefix"
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# Wine's own fonts (MS Sans Serif, Marlett for the caption buttons) are not
# always found in its data folder; the Windows fonts folder always is.
if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
fi
wineserver -w
touch "$stamp"
