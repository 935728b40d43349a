#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the screenshots of the README and the AppStream data from the real program in a private
# X server with openbox, with the clock held so that the same words come up every time:
#   main-menu.png           the main menu
#   learning-run.png        a flash card
#   typed-wrong-answer.png  a typed question with the wrong-answer box up
#   choice-run.png          a question with five choices
# Each picture is the window with its frame; the wrong-answer one is the window and the box, with
# the box moved to overlap the window and the space around both left transparent.
# usage: scripts/screenshots.sh [--only NAME] [FOLDER [PROGRAM]]
#   FOLDER defaults to docs/screenshots, PROGRAM to build/vocarta; --only NAME takes just that
#   picture (main-menu: without leaving the main menu).
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
only=
[ "${1:-}" = --only ] && { only=$2; shift 2; }
case $only in
    "" | main-menu | learning-run | typed-wrong-answer | choice-run) ;;
    *) echo "no picture called $only" >&2; exit 1 ;;
esac
out=${1:-$root/docs/screenshots}
program=${2:-$root/build/vocarta}
[ -x "$program" ] || { echo "no program at $program: cmake --preset default && cmake --build --preset default" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d /tmp/vocarta-screenshots.XXXXXX)
# Only this run's settings (openbox's theme, fonts, Qt's style) and no session bus (the
# accessibility bridge would otherwise start one that outlives the script).
export XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config DBUS_SESSION_BUS_ADDRESS=disabled:
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
source "$root/tests/harness.sh"
trap stop_everything EXIT

start_x_server
start_window_manager
TZ=UTC FAKETIME="2024-01-01 00:49:19.6505" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) \
    ASAN_OPTIONS=${ASAN_OPTIONS:-}:verify_asan_link_order=0 start
# Should the script be killed outright, this watcher ends the X server, openbox and the program.
spawned="$(jobs -p) $started"
(while kill -0 $$ 2>/dev/null; do sleep 1; done; kill -9 $spawned; rm -rf "$work") >/dev/null 2>&1 &
wait_for_windows 1 || give_up "no window within 20 s; the program said: $(cat "$work/program.log")"
wid=$(main_windows | head -1)

click() { xdotool mousemove --window "$wid" "$1" "$2" click 1 mousemove 1023 767; sleep 0.2; }  # client coordinates
size() { xwininfo -id "$wid" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
resized() { [ "$(size)" != "$1" ]; }
go() {  # go X Y: a click that leads to another screen, which every screen tells by its size
    local before; before=$(size)
    click "$1" "$2"
    eventually resized "$before" || give_up "no other screen after a click at $1, $2"
}
frame() {  # frame WINDOW: WIDTHxHEIGHT+X+Y of the window with the frame openbox drew around it
    xwininfo -id "$1" | awk -v e="$(xprop -id "$1" _NET_FRAME_EXTENTS)" '
        /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4} /Width:/ {w = $2} /Height:/ {h = $2}
        END {split(e, f, /[=,] */); printf "%dx%d+%d+%d\n", w + f[2] + f[3], h + f[4] + f[5], x - f[2], y - f[4]}'
}
grab() { import -window root -crop "$1" +repage rgb:"$2"; }
settled() {  # the region shows the same picture as 0.3 s ago
    grab "$1" "$work/before.rgb" && sleep 0.3 && grab "$1" "$work/after.rgb" && cmp -s "$work/before.rgb" "$work/after.rgb"
}
shot() {  # shot NAME WINDOW...: the windows with their frames, the later ones on top
    local frames=() window geometry left=99999 top=99999 right=0 bottom=0 w h x y
    for window in "${@:2}"; do
        geometry=$(frame "$window") && frames+=("$geometry")
        IFS='x+' read -r w h x y <<<"$geometry"
        ((left = x < left ? x : left, top = y < top ? y : top))
        ((right = x + w > right ? x + w : right, bottom = y + h > bottom ? y + h : bottom))
    done
    local region=$((right - left))x$((bottom - top))+$left+$top
    eventually settled "$region" || give_up "$1: the picture did not settle"
    import -window root "$work/screen.png"
    local layers=()
    for geometry in "${frames[@]}"; do
        IFS='x+' read -r w h x y <<<"$geometry"
        layers+=('(' "$work/screen.png" -crop "$geometry" +repage ')' -geometry +$((x - left))+$((y - top)) -composite)
    done
    convert -size "${region%%+*}" xc:none "${layers[@]}" -strip -define png:exclude-chunks=date,time "$out/$1.png" ||
        give_up "$1: no picture"
    echo "$out/$1.png"
}
wanted() { [ -z "$only" ] || [ "$only" = "$1" ]; }
box() { xdotool search --onlyvisible --name '^Неправильно!!!$' 2>/dev/null | head -1; }
has_box() { [ -n "$(box)" ]; }

wanted main-menu && shot main-menu "$wid"
[ "$only" = main-menu ] && exit 0

go 218 20     # Тестирование
click 25 40   # без подсказки
click 170 40  # русско-итальянский: "позже" comes up
go 75 68      # Начать
xdotool type --delay 20 prima && xdotool key Return
eventually has_box || give_up "no wrong-answer box"
xdotool windowmove "$(box)" 219 166  # below the answer field, over the stop button
wanted typed-wrong-answer && shot typed-wrong-answer "$wid" "$(box)"
xdotool windowactivate "$(box)" key Return
tries=30 eventually not has_box
go 221 90     # Остановить тестирование

go 218 20     # Тестирование
go 75 68      # Начать, with five choices
wanted choice-run && shot choice-run "$wid"
go 222 198    # Остановить тестирование

go 74 20      # Обучение
go 145 64     # Начать
wanted learning-run && shot learning-run "$wid"
exit 0
