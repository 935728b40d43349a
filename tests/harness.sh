# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the shell tests: named checks with a closing count, a private X server with a
# window manager, and copies of the program in the background (needs $program and $work).

passed=0
failed=0
check() {  # check NAME COMMAND...: "ok: NAME" (unless CHECK_QUIET is set) or "FAILED: NAME"
    if "${@:2}"; then passed=$((passed + 1)); [ -n "${CHECK_QUIET:-}" ] || echo "ok: $1"
    else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
report() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }
give_up() { echo "FAILED: $*"; exit 1; }  # the test cannot run at all
# eventually COMMAND...: until it succeeds, trying every 0.1 s, $tries times (20 s) at most
eventually() { for _ in $(seq "${tries:-200}"); do "$@" && return 0; sleep 0.1; done; return 1; }
not() { ! "$@"; }

# A private Xvfb that keeps its keymap when its last client leaves; sets DISPLAY.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    eventually test -s "$work/display" || give_up "Xvfb did not start: $(tail -1 "$work/xvfb.log")"
    export DISPLAY=:$(cat "$work/display")
}

# openbox, once it has announced itself on the root window and had a moment to settle (a window
# mapped in the very first moments can be left unmanaged, and so unmapped).
start_window_manager() {
    openbox >"$work/openbox.log" 2>&1 &
    wm_announced() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
    eventually wm_announced || give_up "openbox did not start: $(tail -1 "$work/openbox.log")"
    sleep 0.5
}

# A session bus of the test's own (else the accessibility bridge starts one that outlives it), as
# the test's child, not a daemon: ctest's timeout, which kills the process tree, ends it and the
# accessibility bus it starts; stop_everything ends them on any other way out.
start_session_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >/dev/null 2>&1 &
    pids+=($!)
    eventually test -s "$work/bus" || give_up "the session bus did not start"
    export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
}

pids=()
# start [ARGS...]: the program in the background; its pid in $started
start() { "$program" "$@" >>"$work/program.log" 2>&1 & started=$!; pids+=("$started"); }
is_running() { kill -0 "$1" 2>/dev/null; }
exits_with() { eventually not is_running "$1" && { wait "$1"; [ $? -eq "$2" ]; }; }  # exits_with PID CODE
main_windows() { xdotool search --onlyvisible --name '^Vocarta 2\.0$' 2>/dev/null; }
windows_are() { [ "$(main_windows | wc -l)" -eq "$1" ]; }
wait_for_windows() { eventually windows_are "$1"; }  # until exactly N main windows show
is_active() { xdotool windowactivate "$1" 2>/dev/null; [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
activate() { eventually is_active "$1"; }  # until the window manager says it is the active one
# The user's Alt+F4, pressed again (up to three times) where openbox, still settling the focus,
# let a press go by.
alt_f4() {
    [ -n "$1" ] || return 1  # no window: xwininfo -id "" would wait for a click
    gone() { ! xwininfo -id "$1" >/dev/null 2>&1; }
    for _ in 1 2 3; do
        tries=30 activate "$1"
        sleep 0.3
        xdotool key alt+F4
        tries=30 eventually gone "$1" && return 0
    done
}
frame_at() {  # frame_at X,Y: where the frame the window manager drew around $wid begins
    xwininfo -id "$wid" | awk -v e="$(xprop -id "$wid" _NET_FRAME_EXTENTS)" -v want="$1" '
        /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        END {split(e, f, /[=,] */); exit (x - f[2] "," y - f[4]) != want}'
}
descendants() { for child in $(pgrep -P "$1"); do descendants "$child"; echo "$child"; done; }
end_started() {  # ends what was started, and what that started in turn
    {  # quietly: bash would report each job killed
        for pid in "${pids[@]}"; do kill -9 $(descendants "$pid") "$pid"; done
        kill $(jobs -p)
        wait
    } 2>/dev/null
    pids=()
}
stop_everything() { end_started; rm -rf "$work"; }  # for the EXIT trap
