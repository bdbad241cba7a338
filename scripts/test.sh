#!/usr/bin/env bash
# Sets up, builds and runs every test: the native unit tests, then the Win32
# and end-to-end tests of the 64-bit programs under 64-bit Wine, then those of
# the 32-bit programs where this machine can run 32-bit Wine (otherwise one
# line says why they did not run). Fails when any suite that ran fails, and
# ends with a line that counts what passed and failed.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
step setup "$korimba_root/scripts/setup.sh"
"$korimba_root/scripts/build.sh"

status=0
summary=()
total_passed=0
total_failed=0

count() { # suite title, passed, failed
    summary+=("$1 $2 passed, $3 failed")
    total_passed=$((total_passed + $2))
    total_failed=$((total_failed + $3))
}

# One suite: a ctest run whose output is shown and kept; its counts come from
# the test programs' own summaries (GoogleTest's, run.py's "N passed, N failed")
# or, for many tests at once, ctest's; a suite that ended before its summary
# counts as one failure.
suite() { # title, kind (ctest|gtest|e2e), then the command
    local title=$1 kind=$2 result=0 log passed= failed=
    shift 2
    log=$korimba_logs/test-${title// /-}.log
    echo
    echo "== $title"
    "$@" 2>&1 | tee "$log" || result=$?
    case $kind in
    ctest)
        failed=$(sed -n 's/.* \([0-9]*\) tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -n 1)
        local all
        all=$(sed -n 's/.* tests failed out of \([0-9]*\)$/\1/p' "$log" | tail -n 1)
        [ -n "$failed" ] && passed=$((all - failed)) ;;
    gtest)
        passed=$(sed -n 's/.*\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
        failed=$(sed -n 's/.*\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below.*/\1/p' "$log" | tail -n 1)
        if [ -n "$passed" ] || [ -n "$failed" ]; then passed=${passed:-0} failed=${failed:-0}; fi ;;
    e2e)
        local line
        line=$(grep -E '^([0-9]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1 || true)
        line=${line#*: }
        if [ -n "$line" ]; then
            passed=${line%% passed*}
            failed=${line#*passed, }
            failed=${failed%% failed*}
        fi ;;
    esac
    if [ -z "$passed" ]; then
        passed=0 failed=1
        echo "$title ended without its summary (status $result)"
    elif [ "$result" != 0 ] && [ "$failed" = 0 ]; then
        failed=1 # a failure after the summary: a crash on the way out
    fi
    [ "$result" = 0 ] && [ "$failed" = 0 ] || status=1
    count "$title" "$passed" "$failed"
}

# The Win32 and end-to-end suites of one cross tree, inside one display.
cross_suites() { # tree
    local tree=$1 build=$korimba_build/$1
    export KORIMBA_WINEPREFIX=$build/wineprefix
    suite "$tree Win32" gtest with_display ctest --test-dir "$build" -R '^win32_tests$' -V
    suite "$tree end-to-end" e2e with_display ctest --test-dir "$build" -R '^e2e$' -V
    KORIMBA_WINEPREFIX=$build/wineprefix "$korimba_root/scripts/wine-server.sh" -k 2>/dev/null || true
}

suite native ctest ctest --test-dir "$korimba_build/native" --output-on-failure
cross_suites win64
if can_run_win32; then
    cross_suites win32
else
    echo
    echo "32-bit suites not run: $korimba_no_32bit_reason"
    summary+=("win32 not run")
fi

echo
printf '%s; ' "${summary[@]}"
echo
echo "tests: $total_passed passed, $total_failed failed"
exit $status
