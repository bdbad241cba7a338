#!/usr/bin/env bash
# Makes (once) the Wine prefix $1 for the architecture $2 (win64 or win32;
# default KORIMBA_WINEARCH, else win64), with the loader of that architecture.
# Without a window manager Wine waits on every hidden or closed managed
# window, so windows are unmanaged.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
prefix=$1
arch=${2:-${KORIMBA_WINEARCH:-win64}}
stamp=$prefix/.korimba-ready-5-$arch
[ -f "$stamp" ] && [ -f "$prefix/system.reg" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$stamp" ] && [ -f "$prefix/system.reg" ] && exit 0
wine_environment "$prefix" "$arch"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
say() { # what went wrong, then Wine's output
    echo "wine-prefix: $1 ($arch prefix $prefix). Its output:" >&2
    tail -n 30 "$log" | sed 's/^/    /' >&2
}
fail() { say "$1"; exit 1; }
[ -x "$WINELOADER" ] || { echo "no $arch Wine loader $WINELOADER" >"$log"; fail "Wine is not installed"; }
# Wine's errors are shown here (the callers' WINEDEBUG may silence them).
boot() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    rm -rf "$prefix"
    WINEDEBUG=fixme-all "$WINELOADER" wineboot -i >"$log" 2>&1
}
# A first boot has once ended at once without a word on a busy machine, and
# the next one worked: so one more try, after saying what the first gave.
boot || {
    say "Wine's first try to make the prefix ended with status $?; trying once more"
    boot || fail "Wine could not make the prefix (status $?)"
}
"$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >"$log" 2>&1 ||
    fail "Wine could not set up the prefix"
# Wine's own fonts (MS Sans Serif, Marlett for the caption buttons) are not
# always found in its data folder; the Windows fonts folder always is.
if [ -d /usr/share/wine/fonts ]; then
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
fi
"$(dirname "$0")/wine-fonts.sh" "$prefix" "$arch" >"$log" 2>&1 ||
    fail "the fonts for other scripts could not be set up"
"$WINESERVER" -w
touch "$stamp"
