# Sourced by the shell tests: named checks with the closing count, and a private X server.

passed=0
failed=0

# check NAME COMMAND...: counts the command's outcome; prints "ok: NAME" (unless CHECK_QUIET is
# set) or "FAILED: NAME".
check() {
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        [ -n "${CHECK_QUIET:-}" ] || echo "ok: $name"
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
    fi
}

# The closing line, and the script's success.
report() {
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

# start_x_server DIR: a private Xvfb that keeps its keymap when its last client leaves; sets
# DISPLAY and xvfb (its pid). DIR receives the display number.
start_x_server() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$1/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.1; done
    [ -s "$1/display" ] || return 1
    export DISPLAY=:$(cat "$1/display")
}

# The openbox window manager on that display; sets wm (its pid).
start_window_manager() {
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 0.5
}

# ---- Copies of the program in the background (needs $program and $work) ------------------

pids=()

# start [ARGS...]: the program in the background; its pid is in $started.
start() {
    "$program" "$@" >>"$work/program.log" 2>&1 &
    started=$!
    pids+=("$started")
}

is_running() { kill -0 "$1" 2>/dev/null; }

# exits_with PID CODE: the process ends within 20 s, with that exit code.
exits_with() {
    for _ in $(seq 1000); do is_running "$1" || break; sleep 0.02; done
    is_running "$1" && return 1
    wait "$1"
    [ $? -eq "$2" ]
}

window_count() { xdotool search --onlyvisible --name '^Vocarta 2\.0$' 2>/dev/null | wc -l; }

# wait_for_windows N: until exactly N main windows show, at most 20 s.
wait_for_windows() {
    for _ in $(seq 400); do [ "$(window_count)" -eq "$1" ] && return 0; sleep 0.05; done
    return 1
}

# activate WINDOW: until the window manager says it is the active one.
activate() {
    for _ in $(seq 50); do
        xdotool windowactivate "$1" 2>/dev/null
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# alt_f4 WINDOW: the user's Alt+F4 on that window, taken by the window manager. Like a person,
# it presses again (up to three times) when the window manager let a press go by, as openbox
# sometimes does while it is still settling the focus after another window went away.
alt_f4() {
    [ -n "$1" ] || return 1  # no window found: xwininfo -id "" would wait for a click
    for _ in 1 2 3; do
        activate "$1"
        sleep 0.3
        xdotool key alt+F4
        for _ in $(seq 30); do xwininfo -id "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done
    done
}

# For the EXIT trap: ends the copies of the program, the X server and the window manager.
stop_everything() {
    for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
    kill $(jobs -p) 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
