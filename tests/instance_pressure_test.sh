#!/usr/bin/env bash
# Endurance of the single-instance rule: round after round, two copies of the real program are
# started at the same moment in a private X server with a window manager. Each time exactly one
# of them must run (one window, one process alive) and the other must end with exit code 0. The
# one that runs is then closed through its window in even rounds and killed with SIGKILL in odd
# ones, so every other round also shows that a killed copy leaves nothing that blocks a start.
# usage: instance_pressure_test.sh path/to/vocarta [ROUNDS]   (default 50 rounds)
set -u
program=$1
rounds=${2:-50}
work=$(mktemp -d /tmp/vocarta-instance-pressure.XXXXXX)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
source "$(dirname "$0")/harness.sh"
CHECK_QUIET=1  # fifty rounds: only failures are worth a line

trap stop_everything EXIT

start_x_server "$work"
start_window_manager

one_exits() {  # one_exits A B: waits up to 20 s until A or B has ended; names it in $quitter
    quitter=""
    for _ in $(seq 1000); do
        if ! is_running "$1"; then quitter=$1; return 0; fi
        if ! is_running "$2"; then quitter=$2; return 0; fi
        sleep 0.02
    done
    return 1
}

started_at=$(date +%s%N)
for round in $(seq "$rounds"); do
    start
    a=$started
    start
    b=$started
    if ! one_exits "$a" "$b"; then
        check "round $round: one of two started together ends" false
        kill -9 "$a" "$b" 2>/dev/null
        wait "$a" "$b" 2>/dev/null
        wait_for_windows 0
        continue
    fi
    if [ "$quitter" = "$a" ]; then runner=$b; else runner=$a; fi
    check "round $round: the other start exits 0" exits_with "$quitter" 0
    check "round $round: one window shows" wait_for_windows 1
    check "round $round: the one that runs is alive" is_running "$runner"
    check "round $round: still one window" test "$(window_count)" -eq 1
    if [ $((round % 2)) -eq 0 ]; then
        wmctrl -c 'Vocarta 2.0'
        check "round $round: closing its window exits 0" exits_with "$runner" 0
    else
        kill -9 "$runner"
        wait "$runner" 2>/dev/null
    fi
    check "round $round: no window left" wait_for_windows 0
done

# The last round ended with a SIGKILL when the number of rounds is odd; make sure of it here.
start
last=$started
check "a start after the last round shows its window" wait_for_windows 1
kill -9 "$last"
wait "$last" 2>/dev/null
wait_for_windows 0
start
after_kill=$started
check "a start after SIGKILL of the running copy runs" wait_for_windows 1
check "and stays alive" is_running "$after_kill"
wmctrl -c 'Vocarta 2.0'
check "closing it exits 0" exits_with "$after_kill" 0

echo "instance pressure: $rounds rounds in $((($(date +%s%N) - started_at) / 1000000)) ms"
report
