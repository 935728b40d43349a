#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks (default preset) and runs them all in a private X server with a window
# manager; prints the machine and one Markdown table of figures. Takes about four minutes, most
# of it the hundred one-second card ticks.
# usage: bench/run.sh [--quick]   (--quick: fewer repetitions, for trying the script out)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/install-packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

starts=20 rounds=1000 changes=10000 cards=10000 ticks=100 calls=1000000
if [ "${1:-}" = "--quick" ]; then
    starts=3 rounds=50 changes=500 cards=500 ticks=5 calls=100000
fi

cmake --preset default >/dev/null
cmake --build --preset default --target vocarta minimal_qt startup_probe screen_changes memory_use card_ticks \
    dictionary_texts >/dev/null

work=$(mktemp -d /tmp/vocarta-bench.XXXXXX)
cleanup() {
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# A lock directory of its own, so that a copy of Vocarta running elsewhere does not stop the
# program from starting (the start-up probe gives each start a fresh one besides).
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
source tests/harness.sh
start_x_server "$work"
start_window_manager

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
    "$(awk '/MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo) memory; $(uname -sr);" \
    "load average before the run $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Display: Xvfb 1024x768x24 with openbox; Qt $(pkg-config --modversion Qt6Widgets 2>/dev/null || echo '?')," \
    "build type $(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' build/CMakeCache.txt)"
echo
echo "| measure | figure | target | |"
echo "|---|---|---|---|"
build/bench/startup_probe "$starts" "Vocarta 2.0" build/vocarta "Minimal Qt" build/bench/minimal_qt
build/bench/screen_changes "$rounds" 2>/dev/null
build/bench/memory_use "$changes" "$cards" 2>/dev/null
build/bench/card_ticks "$ticks" 1 2>/dev/null
build/bench/dictionary_texts "$calls" 2>/dev/null
