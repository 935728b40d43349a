#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program as processes in a private X server with a window manager: one instance at a
# time however copies start and end; the command line: Qt's options, --help, --version.
# usage: instances_test.sh path/to/vocarta ROUNDS
set -u
program=$1
rounds=$2
work=$(mktemp -d /tmp/vocarta-instances.XXXXXX)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
source "$(dirname "$0")/harness.sh"
trap stop_everything EXIT
start_x_server
start_window_manager
start_session_bus
[ "$rounds" -le 3 ] || CHECK_QUIET=1

one_ended() { for quitter in "$@"; do is_running "$quitter" || return 0; done; return 1; }  # its pid in $quitter

# Two copies start at the same moment, with the display named by Qt's own option and arguments
# that are not options, and a runtime folder that is missing until the desktop makes it, once the
# first lock is taken: one runs and shows its window on that display, the other ends with 0, and
# the lock lies in the runtime folder. The one that runs is closed through its window in even
# rounds and killed in odd ones, so that the next round also starts after a SIGKILL.
arguments=(-display "$DISPLAY" -name vocarta-copy extra -- --bogus)
export TMPDIR=$work/tmp XDG_CACHE_HOME=$work/cache  # where a copy that passed the runtime folder by would lock
locked() { compgen -G "$run/*.lock" || compgen -G "$TMPDIR/*/*.lock" || compgen -G "$XDG_CACHE_HOME/*/*.lock"; } >/dev/null
for round in $(seq "$rounds"); do
    run=$work/run-$round
    XDG_RUNTIME_DIR=$run DISPLAY= start "${arguments[@]}" && a=$started
    XDG_RUNTIME_DIR=$run DISPLAY= start "${arguments[@]}" && b=$started
    tries=50 eventually locked
    mkdir -m 700 "$run" 2>/dev/null  # as a desktop makes it at the login
    check "round $round: one of two copies ends" eventually one_ended "$a" "$b"
    check "round $round: the lock is in the runtime folder, only" \
        bash -c '[ -e "$0/Vocarta20.lock" ] && [ ! -e "$1" ] && [ ! -e "$2" ]' "$run" "$TMPDIR" "$XDG_CACHE_HOME"
    runner=$a
    [ "$quitter" = "$a" ] && runner=$b
    check "round $round: with exit code 0" exits_with "$quitter" 0
    check "round $round: the other shows one window" wait_for_windows 1
    if [ $((round % 2)) -eq 0 ]; then
        wmctrl -c 'Vocarta 2.0'
        check "round $round: closing the window exits 0" exits_with "$runner" 0
    else
        kill -9 "$runner"
    fi
    check "round $round: no window left" wait_for_windows 0
done

# Without a display: one line and exit code 1, before the lock (and its folder) is taken; --help,
# --version and an unknown option are answered all the same: an answer on stdout, an error in one
# line on stderr.
answers() {  # answers DISPLAY CODE FIRST-LINE [ARGUMENTS...]
    local said code
    said=$(env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/unused" DISPLAY="$1" "$program" "${@:4}" 2>"$work/said")
    code=$?
    [ "$2" -eq 0 ] || said=$(cat "$work/said")
    [ $code -eq "$2" ] && [ "$(head -1 <<<"$said")" = "$3" ] && [ ! -e "$work/unused" ] &&
        { [ "$2" -eq 0 ] || [ "$(wc -l <<<"$said")" -eq 1 ]; }
}
check "without DISPLAY: one line, exit 1" answers "" 1 "vocarta: no X display (DISPLAY is not set)"
check "a bogus DISPLAY: one line, exit 1" answers bogus 1 'vocarta: cannot open the X display "bogus"'
check "--help: the usage, exit 0" answers "" 0 "Использование: vocarta [ПАРАМЕТР Qt...]" extra --help
check "--version: exit 0" answers "" 0 "Vocarta 2.0" --version
check "an unknown option: named, exit 2" answers "" 2 \
    'vocarta: unknown option "--bogus" (неизвестный параметр); vocarta --help' -reverse --bogus --help

report
