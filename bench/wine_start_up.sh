#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how long the Windows program takes under Wine from its process start to its main
# window being mapped, in a private Xvfb, and prints each run and the median. "cold": no Wine
# process runs before the start (Wine's server and desktop process come up with it); "warm": the
# server and desktop process of the previous run are still there.
# usage: bench/wine_start_up.sh [RUNS] [BUILD_DIR]   (defaults: 5 runs, build-windows)
set -u
runs=${1:-5}
build=$(readlink -f "${2:-build-windows}")
program=$build/vocarta.exe
[ -f "$program" ] || { echo "no $program: cmake --preset windows && cmake --build --preset windows"; exit 1; }
# The Wine prefix (with Wine's fonts) and the Russian locale that the Windows checks make.
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
wine_run() { LOCPATH=$build/locale LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 wine "$@"; }
[ -f "$WINEPREFIX/system.reg" ] || { echo "no Wine prefix in $build: ctest --preset windows makes it"; exit 1; }
wineserver -k 2>/dev/null  # one left running by an earlier run of this prefix

work=$(mktemp -d /tmp/vocarta-wine-bench.XXXXXX)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")

now() { date +%s.%N; }

# One start: seconds from the start to the mapped window, then the program is ended.
measure() {
    local started pid elapsed=""
    started=$(now)
    wine_run "$program" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 3000); do
        if xdotool search --onlyvisible --name '^Vocarta 2\.0$' >/dev/null 2>&1; then
            elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN {printf "%.3f", b - a}')
            break
        fi
        sleep 0.01
    done
    # wine's own process waits for the program's, its child.
    kill $(pgrep -P "$pid") "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    # The next start must not see this window.
    for _ in $(seq 500); do
        xdotool search --onlyvisible --name '^Vocarta 2\.0$' >/dev/null 2>&1 || break
        sleep 0.01
    done
    echo "${elapsed:-timeout}"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for mode in cold warm; do
    times=()
    [ "$mode" = warm ] && measure >/dev/null  # brings up the server and the desktop process
    for run in $(seq "$runs"); do
        if [ "$mode" = cold ]; then
            wineserver -k 2>/dev/null
            wineserver -w 2>/dev/null
        fi
        times+=("$(measure)")
        echo "$mode run $run: ${times[-1]} s"
        sleep 0.5
    done
    echo "$mode median: $(printf '%s\n' "${times[@]}" | median) s"
done
