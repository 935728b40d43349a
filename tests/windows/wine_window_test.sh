#!/usr/bin/env bash
# The Windows program under Wine, in a private X server without a window manager, so that Wine
# draws the window frames itself: the main window, one instance at a time, the testing screen's
# frame, closing by the caption's close button. Leaves a picture of the main menu in the build
# folder (wine-main-menu.png) where ImageMagick's import is at hand.
# usage: wine_window_test.sh path/to/vocarta.exe path/to/window_probe.exe
set -u
program=$(readlink -f "$1")
probe=$(readlink -f "$2")
build=$(dirname "$program")
source "$(dirname "$(readlink -f "$0")")/wine_env.sh" "$build"
for tool in Xvfb xdotool xwininfo xprop; do command -v $tool >/dev/null || fail "$tool is not installed"; done
prepare_wine

work=$(mktemp -d /tmp/vocarta-wine-test.XXXXXX)
source "$(dirname "$(readlink -f "$0")")/../harness.sh"
pids=()

cleanup() {
    # wine's own process waits for the program's, its child; the server ends whatever is left.
    for pid in "${pids[@]}"; do kill $(pgrep -P "$pid") "$pid" 2>/dev/null; done
    wineserver -k 2>/dev/null
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

start_x_server "$work" || fail "Xvfb did not start"

main_window() { xdotool search --onlyvisible --name '^Vocarta 2\.0$' 2>/dev/null; }
window_count() { main_window | wc -l; }

wait_for_windows() {  # wait_for_windows N SECONDS: until exactly N main windows show
    for _ in $(seq $(($2 * 10))); do [ "$(window_count)" -eq "$1" ] && return 0; sleep 0.1; done
    return 1
}

start() {  # starts the program in the background; its pid is in $started
    wine_run "$program" >"$work/out.$RANDOM" 2>&1 &
    started=$!
    pids+=("$started")
}

exits_with() {  # exits_with PID CODE SECONDS: the process ends in time with that exit code
    for _ in $(seq $(($3 * 10))); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && return 1
    wait "$1"
    local code=$?
    [ "$code" -eq "$2" ] || echo "  exit code $code"
    [ "$code" -eq "$2" ]
}

is_running() { kill -0 "$1" 2>/dev/null; }

# The X window of the main window: "X Y WIDTH HEIGHT" on the screen.
x_frame() {
    local info
    info=$(xwininfo -id "$(main_window | head -1)" 2>/dev/null) || return 1
    awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} /^  Width/ {w=$NF} /^  Height/ {h=$NF}
         END {print x, y, w, h}' <<<"$info"
}

probe() { wine_run "$probe" "$@" | tr -d '\r'; }

frames_are() {  # frames_are "X Y WIDTH HEIGHT": the X window and Windows' window rectangle
    local x windows
    x=$(x_frame)
    windows=$(probe frame)
    [ "$x" = "$1" ] && [ "$windows" = "$1" ] && return 0
    echo "  X window: $x; window rectangle of class Vocarta_2_0: $windows"
    return 1
}

wait_for_frames() {  # wait_for_frames "X Y WIDTH HEIGHT" SECONDS
    for _ in $(seq $(($2 * 2))); do [ "$(x_frame)" = "$1" ] && break; sleep 0.5; done
    frames_are "$1"
}

wm_class_names_program() { xprop -id "$(main_window | head -1)" WM_CLASS | grep -q '"vocarta.exe"'; }

click_at() {  # click_at X Y (screen)
    xdotool mousemove --sync "$1" "$2" click 1
}

# The first start may take Wine a while.
started_at=$(date +%s.%N)
start
first=$started
check "first start shows the main window \"Vocarta 2.0\"" wait_for_windows 1 90
echo "  mapped $(awk -v a="$started_at" -v b="$(date +%s.%N)" 'BEGIN {printf "%.2f", b - a}') s after the start"
check "the window of class Vocarta_2_0 is at 100,50 with the outer size 300x180" wait_for_frames "100 50 300 180" 10
client=$(probe client)
echo "  client area on the screen: $client"
check "the client area is smaller than the frame and inside it" \
    awk -v c="$client" 'BEGIN {split(c, a, " "); exit !(a[1] > 100 && a[2] > 50 && a[3] < 300 && a[4] < 180 &&
                                  a[1] + a[3] <= 400 && a[2] + a[4] <= 230)}'
check "the X window carries the program's name (WM_CLASS)" wm_class_names_program

if command -v import >/dev/null; then
    sleep 0.5
    import -window root -crop 300x180+100+50 +repage "$build/wine-main-menu.png" 2>/dev/null &&
        echo "  picture of the main menu: $build/wine-main-menu.png"
fi

# A second start ends at once with 0 while the first runs.
start
check "a second start exits 0" exits_with "$started" 0 30
check "the second start adds no window" wait_for_windows 1 5
check "the first instance still runs" is_running "$first"

# "Тестирование" at client 158,10 (120x20): the testing set-up screen has the outer size 300x110.
read -r cx cy _ _ <<<"$client"
click_at $((cx + 218)) $((cy + 20))
check "\"Тестирование\" gives the outer size 300x110 at 100,50" wait_for_frames "100 50 300 110" 10

# The caption's close button: Wine posts WM_CLOSE, the window goes, the process ends with 0.
button=$(probe close-button)
check "the caption has a close button" test -n "$button"
[ -n "$button" ] && click_at $button
check "closing the window exits 0" exits_with "$first" 0 30
check "no window left" wait_for_windows 0 5

report
