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
