#!/usr/bin/env bash
# Timings from one run on this machine (not a test): our programs under Wine
# against native programs doing the same work.
#
# The coders (bench/coder_bench.py): l3enc and l3dec against Debian's lame and
# mpg123 on a plain signal (two tones in noise) and a music-like one
# (bench/make_signal.cpp), 60 s and 10 minutes long, with the Wine server kept
# running as during a job; medians of KORIMBA_BENCH_RUNS runs (default 5) and
# KORIMBA_BENCH_LONG_RUNS (default 3) for the 10-minute files. Then the
# program itself (bench/program_bench.py), drops of many files on its list
# window (bench/drop_bench.py), lists with the preference to work on several
# list files at once off and on (bench/parallel_bench.py), a flat button's
# painting at the display scales (bench/ScalePaintBench.cpp) and the composing
# of list scripts.
#
# The 64-bit programs always, the 32-bit ones too where this machine runs
# 32-bit Wine; KORIMBA_TREE=win64 (or win32) measures one only.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

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

# The inputs: the plain and the music-like signal, 60 s and 10 minutes of
# 16-bit stereo at 44100 Hz, and the same as 128 kbit/s MP3s.
g++ -O2 -o "$work/make_signal" "$korimba_root/bench/make_signal.cpp"
for input in tones60 music60 tones600 music600; do
    "$work/make_signal" "${input%%[0-9]*}" "${input##*[a-z]}" "$work/$input.wav"
    lame --quiet -b 128 "$work/$input.wav" "$work/$input.mp3"
done

for tree in "${trees[@]}"; do
    export KORIMBA_WINEPREFIX=$korimba_build/$tree/wineprefix
    export KORIMBA_WINEARCH=$tree
    tree_dir=$korimba_build/$tree
    echo
    echo "== the $tree programs ($(wine_arch_of "$tree_dir/korimba.exe") under $(wine_loader "$tree"))"
    # The coders run by Wine's loader itself, as a job's script starts them,
    # not through our scripts; the prefix is made first.
    "$korimba_root/scripts/wine-prefix.sh" "$KORIMBA_WINEPREFIX" "$tree"
    (wine_environment "$KORIMBA_WINEPREFIX" "$tree" &&
        python3 "$korimba_root/bench/coder_bench.py" "$tree_dir" "$work")

    # The program itself: start-up, its share of an unattended encode, and a list
    # job against a plain batch file (bench/program_bench.py, through the
    # end-to-end harness and its own Xvfb). The harness brings its own warm
    # server: one started here without a display would leave the windows none.
    "$korimba_root/scripts/wine-server.sh" -k 2>/dev/null || true
    "$korimba_root/scripts/wine-server.sh" -w 2>/dev/null || true
    echo
    KORIMBA_BUILD_DIR=$tree_dir python3 "$korimba_root/bench/program_bench.py"
    # Dropping many files on the process-list window (bench/drop_bench.py).
    echo
    KORIMBA_BUILD_DIR=$tree_dir python3 "$korimba_root/bench/drop_bench.py"
    # Lists with the preference to work on several list files at once off and
    # on (bench/parallel_bench.py), on the music-like signal.
    echo
    KORIMBA_BUILD_DIR=$tree_dir KORIMBA_WINELOADER=$(wine_loader "$tree") \
        python3 "$korimba_root/bench/parallel_bench.py" "$work"
    # A flat button's painting at the display scales against 96 dpi
    # (bench/ScalePaintBench.cpp), on a display of its own.
    echo
    (wine_environment "$KORIMBA_WINEPREFIX" "$tree" && cd "$tree_dir" &&
        xvfb-run -a "$WINELOADER" ./scale_paint_bench.exe)
done

# Composing list scripts, natively and optimised: time per entry must stay flat.
echo
step bench-native-configure cmake -S "$korimba_root" -B "$korimba_build/bench-native" -G Ninja -DCMAKE_BUILD_TYPE=Release
step bench-native-build cmake --build "$korimba_build/bench-native" --target list_script_bench
"$korimba_build/bench-native/list_script_bench"
