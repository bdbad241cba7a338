#!/usr/bin/env bash
# Timings from one run on this machine (not a test): our programs under Wine
# against native programs doing the same work. Each figure is the best of
# $KORIMBA_BENCH_RUNS runs (default 3), process start included.
#
# A measurement is one call of "compare" (ours against a native reference) or
# "measure" (ours alone) in the list at the end; add more there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KORIMBA_BUILD_ROOT:-$root/build}
runs=${KORIMBA_BENCH_RUNS:-3}

"$root/scripts/setup.sh"
missing=()
for package in lame mpg123; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi
"$root/scripts/build.sh" >/dev/null

work=$(mktemp -d)
export KORIMBA_WINEPREFIX=$build/win32/wineprefix
export WINEPREFIX=$KORIMBA_WINEPREFIX
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
wine=("$root/scripts/wine-run.sh")
win32=$build/win32

# Wine's path of a file here.
winpath() { echo "Z:${1//\//\\}"; }

# Best wall-clock time of a command in seconds.
best_time() {
    local best= start end
    for _ in $(seq "$runs"); do
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(awk -v s="$start" -v e="$end" -v b="$best" \
                   'BEGIN { t = e - s; if (b == "" || t < b) b = t; printf "%.3f", b }')
    done
    echo "$best"
}

printf '%-44s %10s %10s %7s\n' measurement native ours ratio
compare() { # title -- native command -- our command
    local title=$1 native=() ours=()
    shift 2
    while [ "$1" != -- ]; do native+=("$1"); shift; done
    shift
    ours=("$@")
    local a b
    a=$(best_time "${native[@]}")
    b=$(best_time "${ours[@]}")
    printf '%-44s %9ss %9ss %6.2fx\n' "$title" "$a" "$b" "$(awk -v a="$a" -v b="$b" 'BEGIN { print b / a }')"
}
measure() { # title -- our command
    local title=$1
    shift 2
    printf '%-44s %10s %9ss\n' "$title" - "$(best_time "$@")"
}

# A 60 s stereo WAV at 44100 Hz: tones with noise, so the coders have work to do.
python3 - "$work/song.wav" <<'EOF'
import array, math, random, sys, wave
rate, seconds = 44100, 60
random.seed(1)
samples = array.array('h')
for i in range(rate * seconds):
    t = i / rate
    samples.append(int(9000 * math.sin(2 * math.pi * 440 * t) + random.randint(-3000, 3000)))
    samples.append(int(9000 * math.sin(2 * math.pi * 587 * t) + random.randint(-3000, 3000)))
with wave.open(sys.argv[1], 'wb') as out:
    out.setnchannels(2)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(samples.tobytes())
EOF
lame --quiet -b 128 "$work/song.wav" "$work/song.mp3"

# A warm wineserver, as on Windows, where no server starts with a program;
# the first start pays for it once.
wineserver -p 2>/dev/null || true
"${wine[@]}" "$win32/l3enc.exe" >/dev/null 2>&1 || true

compare "l3enc 60 s stereo WAV, 128 kbit/s" -- \
    lame --quiet -b 128 "$work/song.wav" "$work/native.mp3" -- \
    "${wine[@]}" "$win32/l3enc.exe" "$(winpath "$work/song.wav")" "$(winpath "$work/ours.mp3")" -br 128000
compare "l3enc the same, -hq (LAME -q 2)" -- \
    lame --quiet -q 2 -b 128 "$work/song.wav" "$work/native.mp3" -- \
    "${wine[@]}" "$win32/l3enc.exe" "$(winpath "$work/song.wav")" "$(winpath "$work/ours.mp3")" -br 128000 -hq
compare "l3dec 60 s stereo MP3 to WAV" -- \
    mpg123 -q -w "$work/native.wav" "$work/song.mp3" -- \
    "${wine[@]}" "$win32/l3dec.exe" "$(winpath "$work/song.mp3")" "$(winpath "$work/ours.wav")" -wav
measure "Wine process start (l3enc, usage message)" -- \
    "${wine[@]}" "$win32/l3enc.exe"

# The program itself: start-up, its share of an unattended encode, and a list
# job against a plain batch file (bench/program_bench.py, through the
# end-to-end harness and its own Xvfb).
echo
KORIMBA_BUILD_DIR=$win32 python3 "$root/bench/program_bench.py"

# Composing list scripts, natively and optimised: time per entry must stay flat.
echo
cmake -S "$root" -B "$build/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/bench-native" --target list_script_bench >/dev/null
"$build/bench-native/list_script_bench"
