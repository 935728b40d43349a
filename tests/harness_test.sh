#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# However a shell test ends, all it started ends with it: the end-to-end test is ended halfway,
# once as ctest ends a test at its timeout (by killing its process tree) and once by SIGTERM; then
# no process may be left that carries the run's mark in its environment (the X server, the
# window manager, the program, the session bus, the accessibility bus).
# usage: harness_test.sh E2E_TEST [ITS ARGUMENTS...]
set -u
work=$(mktemp -d /tmp/vocarta-harness.XXXXXX)
source "$(dirname "$0")/harness.sh"
trap 'rm -rf "$work"' EXIT
halfway=8  # seconds: the journey has its window and its accessibility bus by then

marked() { grep -q -s -a "VOCARTA_RUN_MARK=$1" /proc/[0-9]*/environ; }
nothing_left() { tries=50 eventually not marked "$1"; }

ended_by_ctest_timeout() {
    mkdir "$work/ctest"
    printf 'add_test(e2e env VOCARTA_RUN_MARK=%s %s)\nset_tests_properties(e2e PROPERTIES TIMEOUT %s)\n' \
        "ctest-$$" "$(printf '"%s" ' "$@")" "$halfway" >"$work/ctest/CTestTestfile.cmake"
    ctest --test-dir "$work/ctest" 2>&1 | grep -q '1 - e2e (Timeout)' && nothing_left "ctest-$$"
}
ended_by_sigterm() {
    VOCARTA_RUN_MARK=term-$$ "$@" >/dev/null 2>&1 &
    local test=$!
    sleep "$halfway"
    marked "term-$$" && kill -TERM "$test" && wait "$test"
    nothing_left "term-$$"
}
check "ended by ctest at its timeout: nothing left running" ended_by_ctest_timeout "$@"
check "ended by SIGTERM: nothing left running" ended_by_sigterm "$@"
report
