#!/usr/bin/env bash
# The program's main job, unattended: sets up, builds, copies the program folder
# into the Wine prefix, makes a sample WAV and encodes it with
# "korimba.exe <sample.wav> /encode" and the shipped coders. The program ends by
# itself when the job is done; the MP3's absolute path is the last line printed.
#
#   scripts/run.sh                the unattended encode of the sample
#   scripts/run.sh --window [ARG...]
#                                 korimba.exe's window for a person instead
#
# Without a display everything runs inside Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# Another tree (KORIMBA_BUILD_ROOT) lets two builds of one checkout run side by side.
build=${KORIMBA_BUILD_ROOT:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh" >/dev/null
export KORIMBA_WINEPREFIX="$build/win32/wineprefix"
program="$build/win32/program"

with_display() {
    if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s '-screen 0 1024x768x24' "$@"; fi
}

if [ "${1:-}" = "--window" ]; then
    shift
    with_display "$root/scripts/wine-run.sh" "$program/korimba.exe" "$@"
    exit
fi

"$root/scripts/wine-prefix.sh" "$KORIMBA_WINEPREFIX"
run="$KORIMBA_WINEPREFIX/drive_c/Korimba Sample Run"
rm -rf "$run"
mkdir -p "$run/Music"
cp -r "$program" "$run/Korimba"
crlf() { printf '%s\r\n' "$@"; }
crlf 'C:\Korimba Sample Run\Korimba\l3enc.exe' 'C:\Korimba Sample Run\Korimba\l3dec.exe' \
    >"$run/Korimba/Settings.ini"
# The defaults but for the completion notice, which would wait for a person.
crlf Minimized No No No No No Yes Yes 1 'C:\My MP3s\' No >"$run/Korimba/Prefs.ini"
python3 "$root/tests/e2e/audio_files.py" "$run/Music/Sample tone.wav" 10

echo "encoding C:\\Korimba Sample Run\\Music\\Sample tone.wav under Wine..."
started=$(date +%s.%N)
# Wine's processes still on the display when Xvfb goes say so; that is no fault.
with_display "$root/scripts/wine-run.sh" "$run/Korimba/korimba.exe" \
    'C:\Korimba Sample Run\Music\Sample tone.wav' /encode 2> >(grep -v '^X connection' >&2)
ended=$(date +%s.%N)
WINEPREFIX="$KORIMBA_WINEPREFIX" wineserver -k 2>/dev/null || true

mp3="$run/Music/Sample tone.mp3"
if [ ! -s "$mp3" ] || [ -e "$run/Korimba/Encoding.bat" ]; then
    echo "the encode did not produce $mp3" >&2
    exit 1
fi
awk -v s="$started" -v e="$ended" -v n="$(stat -c %s "$mp3")" \
    'BEGIN { printf "done in %.1f s, %d bytes\n", e - s, n }'
echo "$mp3"
