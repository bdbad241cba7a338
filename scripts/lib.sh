# What the project's scripts share (sourced): where the trees are, the
# architectures, which Wine runs which program, and steps that say why they
# failed.

korimba_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Another tree (KORIMBA_BUILD_ROOT) lets two builds of one checkout run side by side.
korimba_build=${KORIMBA_BUILD_ROOT:-$korimba_root/build}
korimba_logs=$korimba_build/logs

# The Windows architectures: the 64-bit one first (the primary), then the
# 32-bit one. One name each, for everything of ours: the cross build tree
# build/<tree> with its program folder build/<tree>/program and its Wine prefix
# build/<tree>/wineprefix, its toolchain file cmake/mingw-<tree>.cmake, its
# coders' recipe scripts/coders/<tree>.sh and cache folder, its Wine loader.
korimba_trees=(win64 win32)

# ---------------------------------------------------------------- steps

# step NAME COMMAND...: runs a step with its output in a log of its own. When
# it fails, says which step failed, shows the log's last lines and ends the
# script with the step's status.
step() {
    local name=$1 status=0
    shift
    mkdir -p "$korimba_logs"
    local log=$korimba_logs/$name.log
    echo "-- $name" >&2
    "$@" >"$log" 2>&1 || status=$?
    [ $status = 0 ] && return 0
    step_failed "$name" "$status" "$log"
}

step_failed() { # name status log
    {
        echo
        echo "FAILED: $1 (exit status $2). The last lines of its output:"
        tail -n "${KORIMBA_TAIL_LINES:-40}" "$3" | sed 's/^/    /'
        echo "(the whole output: $3)"
    } >&2
    exit "$2"
}

# ---------------------------------------------------------------- 32-bit Linux

# Whether this machine runs 32-bit Linux programs, found out by running one: a
# 93-byte i386 program that only exits. KORIMBA_64BIT_ONLY=1 says no on any
# machine. On "no", korimba_no_32bit_reason says why.
korimba_no_32bit_reason=
can_run_32bit_linux() {
    if [ "${KORIMBA_64BIT_ONLY:-0}" = 1 ]; then
        korimba_no_32bit_reason="KORIMBA_64BIT_ONLY=1 is set"
        return 1
    fi
    local probe status=0 output
    probe=$(mktemp)
    local elf=7f454c4601010100000000000000000002000300010000005480040834000000000000000000000034002000010000000000000001000000000000000080040800800408
    elf+=5d0000005d000000050000000010000031dbb801000000cd80
    printf "$(echo "$elf" | sed 's/../\\x&/g')" >"$probe"
    chmod +x "$probe"
    output=$("$probe" 2>&1) || status=$?
    rm -f "$probe"
    [ $status = 0 ] && return 0
    output=${output##*: }
    korimba_no_32bit_reason="this machine cannot run 32-bit Linux programs (${output:-exit status $status})"
    return 1
}

# Whether the 32-bit Windows programs can run here: 32-bit Linux programs and
# 32-bit Wine.
can_run_win32() {
    can_run_32bit_linux || return 1
    if [ ! -x "$(wine_loader win32)" ]; then
        korimba_no_32bit_reason="32-bit Wine ($(wine_loader win32), package wine32:i386) is not installed"
        return 1
    fi
}

# ---------------------------------------------------------------- Wine

# The loader for an architecture's programs. /usr/bin/wine would pick the
# 32-bit one whenever wine32 is installed, even for a 64-bit program.
# KORIMBA_WINE64 and KORIMBA_WINE32 name other loaders.
wine_loader() { # win64|win32
    case $1 in
    win64) echo "${KORIMBA_WINE64:-/usr/lib/wine/wine64}" ;;
    win32) echo "${KORIMBA_WINE32:-/usr/lib/wine/wine}" ;;
    *) echo "no Wine architecture $1" >&2; return 2 ;;
    esac
}

# The Wine server: the 64-bit one serves both kinds of program; the 32-bit one
# only where there is no other (it needs 32-bit Linux).
wine_server() {
    local server
    for server in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
        [ -x "$server" ] && { echo "$server"; return 0; }
    done
    echo "no Wine server in /usr/lib/wine (package wine64); run scripts/setup.sh as root" >&2
    return 1
}

# win64 or win32, read from the machine field of a Windows program's PE header.
wine_arch_of() { # program.exe
    local offset machine
    offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' \n')
    machine=$(od -An -tx2 -j"$((offset + 4))" -N2 "$1" | tr -d ' \n')
    case $machine in
    8664) echo win64 ;;
    014c) echo win32 ;;
    *) echo "$1 is not a Windows program for x86-64 or i386 (machine '$machine')" >&2; return 1 ;;
    esac
}

# The environment of every Wine call of ours.
wine_environment() { # prefix arch
    export WINEPREFIX=$1 WINEARCH=$2
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    export WINELOADER
    WINELOADER=$(wine_loader "$2")
    export WINESERVER
    WINESERVER=$(wine_server)
}

# Runs a command with a display: the one there is, or Xvfb's.
with_display() {
    if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s '-screen 0 1024x768x24' "$@"; fi
}
