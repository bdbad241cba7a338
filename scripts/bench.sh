#!/usr/bin/env bash
# Timings from one run on this machine (not a test): our programs under Wine
# against native programs doing the same work. Each figure is the best of
# $KORIMBA_BENCH_RUNS runs (default 3), process start included.
#
# A measurement is one call of "compare" (ours against a native reference) or
# "measure" (ours alone) in the list at the end; add more there.
#
# The 64-bit programs always, the 32-bit ones too where this machine runs
# 32-bit Wine; KORIMBA_TREE=win64 (or win32) measures one only.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
runs=${KORIMBA_BENCH_RUNS:-3}

step setup "$korimba_root/scripts/setup.sh"
missing=()
for package in lame mpg123; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    step bench-packages env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
"$korimba_root/scripts/build.sh" >/dev/null

trees=()
for tree in ${KORIMBA_TREE:-${korimba_trees[*]}}; do
    if [ "$tree" = win32 ] && ! can_run_win32; then
        echo "32-bit programs not measured: $korimba_no_32bit_reason"
        continue
    fi
    trees+=("$tree")
done

work=$(mktemp -d)
stop_servers() {
    local tree
    for tree in "${trees[@]}"; do
        KORIMBA_WINEPREFIX=$korimba_build/$tree/wineprefix "$korimba_root/scripts/wine-server.sh" -k 2>/dev/null || true
    done
}
trap 'rm -rf "$work"; stop_servers' EXIT
wine=("$korimba_root/scripts/wine-run.sh")

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

for tree in "${trees[@]}"; do
    export KORIMBA_WINEPREFIX=$korimba_build/$tree/wineprefix
    export KORIMBA_WINEARCH=${tree}
    tree_dir=$korimba_build/$tree
    echo
    echo "== the $tree programs ($(wine_arch_of "$tree_dir/korimba.exe") under $(wine_loader "$tree"))"
    # A warm wineserver, as on Windows, where no server starts with a program;
    # the first start (which also makes the prefix) pays for it once.
    "${wine[@]}" "$tree_dir/l3enc.exe" >/dev/null 2>&1 || true
    "$korimba_root/scripts/wine-server.sh" -p 2>/dev/null || true

    compare "l3enc 60 s stereo WAV, 128 kbit/s" -- \
        lame --quiet -b 128 "$work/song.wav" "$work/native.mp3" -- \
        "${wine[@]}" "$tree_dir/l3enc.exe" "$(winpath "$work/song.wav")" "$(winpath "$work/ours.mp3")" -br 128000
    compare "l3enc the same, -hq (LAME -q 2)" -- \
        lame --quiet -q 2 -b 128 "$work/song.wav" "$work/native.mp3" -- \
        "${wine[@]}" "$tree_dir/l3enc.exe" "$(winpath "$work/song.wav")" "$(winpath "$work/ours.mp3")" -br 128000 -hq
    compare "l3dec 60 s stereo MP3 to WAV" -- \
        mpg123 -q -w "$work/native.wav" "$work/song.mp3" -- \
        "${wine[@]}" "$tree_dir/l3dec.exe" "$(winpath "$work/song.mp3")" "$(winpath "$work/ours.wav")" -wav
    measure "Wine process start (l3enc, usage message)" -- \
        "${wine[@]}" "$tree_dir/l3enc.exe"

    # The program itself: start-up, its share of an unattended encode, and a list
    # job against a plain batch file (bench/program_bench.py, through the
    # end-to-end harness and its own Xvfb). The harness brings its own warm
    # server: one started here without a display would leave the windows none.
    "$korimba_root/scripts/wine-server.sh" -k 2>/dev/null || true
    "$korimba_root/scripts/wine-server.sh" -w 2>/dev/null || true
    echo
    KORIMBA_BUILD_DIR=$tree_dir python3 "$korimba_root/bench/program_bench.py"
done

# Composing list scripts, natively and optimised: time per entry must stay flat.
echo
step bench-native-configure cmake -S "$korimba_root" -B "$korimba_build/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release
step bench-native-build cmake --build "$korimba_build/bench-native" --target list_script_bench
"$korimba_build/bench-native/list_script_bench"
