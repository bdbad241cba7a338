#!/usr/bin/env bash
# The program's main job, unattended: sets up, builds the one tree it runs
# (win64, or KORIMBA_TREE) with its coders, copies the program folder into a
# Wine prefix of that architecture, makes a sample WAV and encodes it
# with "korimba.exe <sample.wav> /encode" and the shipped coders. The program
# ends by itself when the job is done; the MP3's absolute path is the last
# line printed. A step that fails is named, with the last lines of its output.
#
#   scripts/run.sh                the unattended encode of the sample
#   scripts/run.sh --window [ARG...]
#                                 korimba.exe's window for a person instead
#   KORIMBA_TREE=win32 scripts/run.sh
#                                 the same with the 32-bit programs
#
# Without a display everything runs inside Xvfb.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
tree=${KORIMBA_TREE:-win64}
[[ " ${korimba_trees[*]} " == *" $tree "* ]] ||
    { echo "run: KORIMBA_TREE is one of ${korimba_trees[*]}, not '$tree'" >&2; exit 2; }
step setup "$korimba_root/scripts/setup.sh"
if [ "$tree" = win32 ] && ! can_run_win32; then
    echo "run: the 32-bit programs cannot run here: $korimba_no_32bit_reason" >&2
    exit 1
fi
# Only what runs: the native tree and the other architecture are the tests'.
"$korimba_root/scripts/build.sh" "$tree" >/dev/null
export KORIMBA_WINEPREFIX="$korimba_build/$tree/wineprefix"
program="$korimba_build/$tree/program"

if [ "${1:-}" = "--window" ]; then
    shift
    with_display "$korimba_root/scripts/wine-run.sh" "$program/korimba.exe" "$@"
    exit
fi

step "$tree-wine-prefix" "$korimba_root/scripts/wine-prefix.sh" "$KORIMBA_WINEPREFIX" "$(wine_arch_of "$program/korimba.exe")"
run="$KORIMBA_WINEPREFIX/drive_c/Korimba Sample Run"
rm -rf "$run"
mkdir -p "$run/Music"
cp -r "$program" "$run/Korimba"
crlf() { printf '%s\r\n' "$@"; }
crlf 'C:\Korimba Sample Run\Korimba\l3enc.exe' 'C:\Korimba Sample Run\Korimba\l3dec.exe' \
    >"$run/Korimba/Settings.ini"
# The defaults but for the completion notice, which would wait for a person.
crlf Minimized No No No No No Yes Yes 1 'C:\My MP3s\' No >"$run/Korimba/Prefs.ini"
python3 "$korimba_root/tests/e2e/audio_files.py" "$run/Music/Sample tone.wav" 10

echo "encoding C:\\Korimba Sample Run\\Music\\Sample tone.wav with the $tree programs under Wine..."
encode() {
    with_display "$korimba_root/scripts/wine-run.sh" "$run/Korimba/korimba.exe" \
        'C:\Korimba Sample Run\Music\Sample tone.wav' /encode
}
started=$(date +%s.%N)
step encode encode
ended=$(date +%s.%N)
"$korimba_root/scripts/wine-server.sh" -k 2>/dev/null || true

mp3="$run/Music/Sample tone.mp3"
if [ ! -s "$mp3" ] || [ -e "$run/Korimba/Encoding.bat" ]; then
    echo "FAILED: the encode did not produce $mp3 (its output: $korimba_logs/encode.log)" >&2
    exit 1
fi
awk -v s="$started" -v e="$ended" -v n="$(stat -c %s "$mp3")" \
    'BEGIN { printf "done in %.1f s, %d bytes\n", e - s, n }'
echo "$mp3"
