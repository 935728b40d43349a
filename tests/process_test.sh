#!/usr/bin/env bash
# The real program as separate processes in a private X server with a window manager:
# one instance at a time, closing ends it with exit code 0, the command line is ignored.
# usage: process_test.sh path/to/vocarta
set -u
program=$1
work=$(mktemp -d /tmp/vocarta-process-test.XXXXXX)
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
source "$(dirname "$0")/harness.sh"

trap stop_everything EXIT

start_x_server "$work"
start_window_manager

close_window() { wmctrl -c 'Vocarta 2.0'; }

# A first start shows the window; a second one ends at once with 0 and shows nothing.
start
first=$started
check "first start shows the main window" wait_for_windows 1
start
check "second start exits 0" exits_with "$started" 0
check "second start adds no window" wait_for_windows 1
check "first instance still runs" is_running "$first"

# Closing the window ends the program with 0; the next start runs.
close_window
check "closing the window exits 0" exits_with "$first" 0
check "no window left" wait_for_windows 0
start
second=$started
check "a start after the first ended runs" wait_for_windows 1

# A killed instance leaves no lock behind.
kill -9 "$second"
wait "$second" 2>/dev/null
check "killed window gone" wait_for_windows 0
start
third=$started
check "a start after SIGKILL runs" wait_for_windows 1
alt_f4 "$(xdotool search --onlyvisible --name '^Vocarta 2\.0$' | head -1)"
check "Alt+F4 exits 0" exits_with "$third" 0

# Two started together: exactly one runs.
start
a=$started
start
b=$started
sleep 1
check "of two started together one window shows" wait_for_windows 1
if is_running "$a"; then runner=$a; quitter=$b; else runner=$b; quitter=$a; fi
check "the other one exits 0" exits_with "$quitter" 0
check "the one that runs keeps running" is_running "$runner"
close_window
check "closing it exits 0" exits_with "$runner" 0

# The command line is not read: not even Qt's own options reach Qt.
start -platform offscreen --help -geometry 10x10+500+500 extra
args=$started
check "with arguments the window still shows on the display" wait_for_windows 1
geometry=$(xdotool search --name '^Vocarta 2\.0$' getwindowgeometry 2>/dev/null | grep Geometry)
check "with arguments the size is unchanged" test "$geometry" = "  Geometry: 294x155"
close_window
check "with arguments closing exits 0" exits_with "$args" 0

# Without a display: one line and exit code 1, before the lock (and its folder) is taken.
no_display() {
    local out
    out=$(env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/unused" DISPLAY="$1" "$program" 2>&1)
    [ $? -eq 1 ] && [ "$out" = "$2" ] && [ ! -e "$work/unused" ]
}
check "without DISPLAY: one line, exit 1" no_display "" "vocarta: no X display (DISPLAY is not set)"
check "a bogus DISPLAY: one line, exit 1" no_display bogus 'vocarta: cannot open the X display "bogus"'

# Each start finds the lock in the same folder: a runtime folder that is set but missing (Qt
# makes it once the first copy runs), and a folder under TMPDIR taken by another user.
lock_folder_holds() {
    start
    local first=$started
    wait_for_windows 1 && start && exits_with "$started" 0 && close_window && exits_with "$first" 0
}
XDG_RUNTIME_DIR=$work/missing
check "a missing runtime folder: a later start exits 0" lock_folder_holds
unset XDG_RUNTIME_DIR
export TMPDIR=$work/tmp XDG_CACHE_HOME=$work/cache
mkdir -p "$TMPDIR" && mkdir -m 777 "$TMPDIR/vocarta-$(id -u)"
check "a squatted lock folder under TMPDIR: a later start exits 0" lock_folder_holds

report
