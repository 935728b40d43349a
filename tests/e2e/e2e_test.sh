#!/usr/bin/env bash
# The real program as a learner meets it: a private X server with the US and Russian layouts,
# the openbox window manager and the accessibility bus. The script acts only as a user would
# (clicks at client coordinates, typing, Alt+F4) and reads the outcome from outside: window
# geometry and state, the keyboard group, the texts through AT-SPI, the exit code.
# usage: e2e_test.sh VOCARTA XKB_GROUP WORDS.TSV SCREENSHOT_DIR, on a session bus (run_e2e.sh)
set -u
program=$1
xkb_group=$2
words=$3
shots=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/vocarta-e2e.XXXXXX)
mkdir -p "$shots"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
source "$here/../harness.sh"
trap stop_everything EXIT

start_x_server "$work"
setxkbmap -layout us,ru
start_window_manager
/usr/bin/python3 "$here/a11y.py" names >/dev/null 2>&1  # brings up the accessibility bus

# ---- Helpers ------------------------------------------------------------------------------

eventually() {  # eventually COMMAND...: true within 10 s
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    return 1
}

main_window() { xdotool search --onlyvisible --name '^Vocarta 2\.0$' 2>/dev/null | head -1; }
has_main_window() { [ -n "$(main_window)" ]; }
box_window() { xdotool search --onlyvisible --name '^Неправильно!!!$|^Упс\.\.\.$' 2>/dev/null | head -1; }
has_box() { [ -n "$(box_window)" ]; }
no_box() { [ -z "$(box_window)" ]; }

wait_for_main() {
    eventually has_main_window || return 1
    wid=$(main_window)
    sleep 0.3
}

client_size() { xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
has_client_size() { [ "$(client_size)" = "$1" ]; }

# The outer frame's top-left corner: the client's position less the frame the WM put around it.
frame_origin() {
    local x y extents left top
    x=$(xwininfo -id "$wid" | awk '/Absolute upper-left X:/{print $4}')
    y=$(xwininfo -id "$wid" | awk '/Absolute upper-left Y:/{print $4}')
    extents=$(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //')
    left=$(echo "$extents" | cut -d, -f1 | tr -d ' ')
    top=$(echo "$extents" | cut -d, -f3 | tr -d ' ')
    echo "$((x - left)),$((y - top))"
}
frame_at_100_50() { [ "$(frame_origin)" = "100,50" ]; }

click() {  # click X Y, in the main window's client coordinates
    xdotool mousemove --window "$wid" "$1" "$2" click 1
    sleep 0.3
}


dismiss_box() {
    local box
    box=$(box_window)
    [ -n "$box" ] || return 1
    activate "$box" && xdotool key Return
    eventually no_box
}

a11y() { /usr/bin/python3 "$here/a11y.py" "$@" 2>/dev/null; }
shows_text() { a11y names | grep -qxF -- "$1"; }
labels() { a11y dump | awk -F'\t' '$1 == "label" {print $2}'; }
buttons() { a11y dump | awk -F'\t' '$1 == "push button" {print $2}'; }
shows_text_starting() { a11y names | awk -v start="$1" 'index($0, start) == 1 {found = 1} END {exit !found}'; }
has_alert() { a11y dump | grep -q '^alert'; }
# Texts are compared as arguments, never pasted into a command: Italian has apostrophes.
card_differs_from() { [ "$(labels | tr '\n' '|')" != "$1" ]; }
question_differs_from() { [ "$(labels | head -1)" != "$1" ]; }
not() { ! "$@"; }

screenshot() { import -window root "$work/root.png" && convert "$work/root.png" -crop 700x400+0+0 "$shots/$1.png"; }

group_is() { [ "$("$xkb_group")" = "$1" ]; }

# ---- Start-up and the main menu -----------------------------------------------------------

start
first=$started
check "the main window shows" wait_for_main
check "client 294 x 155" has_client_size 294x155
check "frame at 100, 50" frame_at_100_50
state=$(xprop -id "$wid" _NET_WM_STATE)
allowed=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
check "stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$state"
check "cannot be resized" not grep -q _NET_WM_ACTION_RESIZE <<<"$allowed"
check "cannot be maximised" not grep -q _NET_WM_ACTION_MAXIMIZE <<<"$allowed"
check "can be minimised" grep -q _NET_WM_ACTION_MINIMIZE <<<"$allowed"
for text in "Обучение" "Тестирование" "Домашняя страница" "Авторы: команда Vocarta (написать письмо)"; do
    check "the menu reads \"$text\"" eventually shows_text "$text"
done
check "the About text begins with its first line" shows_text_starting "Изучение словаря итальянских слов."
screenshot main-menu

start
check "a second start exits 0" exits_with "$started" 0
check "and adds no window" test "$(window_count)" -eq 1

# ---- Learning -----------------------------------------------------------------------------

click 74 20
check "learning set-up: client 292 x 78" eventually has_client_size 292x78
check "learning set-up reads its label" eventually shows_text "Время показа слова (секунды)"
screenshot learning-setup
xdotool windowmove "$(xdotool search --onlyvisible --name '^Vocarta 2\.0$' | head -1)" 400 300 2>/dev/null
sleep 0.3
click 145 64
check "learning run: client 444 x 105" eventually has_client_size 444x105
check "learning run: back at 100, 50 after being moved" frame_at_100_50
check "the pause button reads Пауза" eventually shows_text "Пауза"
first_card=$(labels | tr '\n' '|')
screenshot learning-run
check "a new card after one period" eventually card_differs_from "$first_card"
click 113 90
check "pause: the button reads Продолжить" eventually shows_text "Продолжить"
held=$(labels | tr '\n' '|')
sleep 2.5
check "pause holds the card through a period" test "$(labels | tr '\n' '|')" = "$held"
click 328 90
check "stop: back to the main menu at 294 x 155" eventually has_client_size 294x155

# ---- A typed test -------------------------------------------------------------------------

click 218 20
check "test set-up: client 294 x 85" eventually has_client_size 294x85
screenshot test-setup
"$xkb_group" 1  # the Russian layout, before a question shown in Russian
click 25 40   # без подсказки
click 170 40  # русско-итальянский
click 75 68
check "typed run: client 444 x 105" eventually has_client_size 444x105
check "a question shown in Russian switches to the US layout" eventually group_is 0
screenshot typed-run
xdotool type --delay 20 "qqzzqq"
xdotool key Return
check "a wrong answer shows its box" eventually has_box
check "the box gives the right translation" eventually shows_text_starting "Правильный перевод:"
check "the box is announced as an alert" has_alert
screenshot typed-wrong-answer
check "the box is dismissed" dismiss_box
click 221 90
check "typed stop: main menu" eventually has_client_size 294x155
click 218 20
"$xkb_group" 0
click 25 40   # без подсказки
click 170 58  # итальяно-русский
click 75 68
check "a question shown in Italian switches to the Russian layout" eventually group_is 1
click 221 90

# ---- A five-choice test -------------------------------------------------------------------

click 218 20
click 75 68
check "choice run: client 444 x 215" eventually has_client_size 444x215
screenshot choice-run
question=$(labels | head -1)
mapfile -t choices < <(buttons | head -5)
mapfile -t answers < <(/usr/bin/python3 "$here/words.py" "$words" "$question")
right=0
wrong=0
for k in 1 2 3 4 5; do
    if printf '%s\n' "${answers[@]}" | grep -qxF -- "${choices[$((k - 1))]:-}"; then right=$k; else wrong=$k; fi
done
check "the question's translation is on a button" test "$right" -gt 0
click 222 $((68 + 20 * (wrong - 1)))
check "a wrong press shows the retry box" eventually shows_text "Неправильно!!! Попробуйте еще раз."
screenshot choice-wrong-press
click 222 $((68 + 20 * (right - 1)))
check "the right press under the box poses the next question" eventually question_differs_from "$question"
check "the retry box is dismissed" dismiss_box
alt_f4 "$wid"
check "closing the window exits 0" exits_with "$first" 0

# ---- Alt+F4 on every screen, and with a box up; accented words -----------------------------

# These starts hold the clock at 00:49:19.650 UTC, where the first words drawn are 3369 "позже" /
# "piщ tardi, dopo" and 2587 "нехватка" / "mancanza, carenza, scarsitа" (the word list writes ù
# as "щ", à as "а"), so that their screens show the accents.
held_clock() {
    TZ=UTC FAKETIME="2024-01-01 00:49:19.6505" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) \
        ASAN_OPTIONS=${ASAN_OPTIONS:-}:verify_asan_link_order=0 "$@"
}

close_on() {  # close_on NAME CLICKS... [-- TEXT]: start, click through to a screen, see TEXT, Alt+F4
    local name=$1
    shift
    held_clock start
    local pid=$started
    wait_for_main || { check "$name: starts" false; return; }
    while [ $# -gt 0 ] && [ "$1" != -- ]; do click "$1" "$2"; shift 2; done
    [ $# -eq 0 ] || { check "$name reads \"$2\"" eventually shows_text "$2"; screenshot "accented-${name// /-}"; }
    alt_f4 "$wid"
    check "Alt+F4 on $name exits 0" exits_with "$pid" 0
}
close_on "the learning set-up" 74 20
close_on "the learning run" 74 20 145 64 113 90 -- "più tardi, dopo"
close_on "the test set-up" 218 20
close_on "the choice run" 218 20 170 40 75 68 -- "mancanza, carenza, scarsità"
close_on "the typed run" 218 20 25 40 75 68

held_clock start
pid=$started
wait_for_main
"$xkb_group" 1  # the user's layout: Russian
click 218 20
click 25 40   # без подсказки
click 170 40  # русско-итальянский
click 75 68
xdotool type --delay 20 "più"
xdotool key Return
check "più typed for piщ is right: the next question, no box" eventually shows_text "нехватка"
xdotool type --delay 20 "qqzzqq"
xdotool key Return
check "a box is up" eventually has_box
check "the box reads scarsità" eventually shows_text "Правильный перевод:\\nmancanza, carenza, scarsità"
screenshot accented-wrong-answer
check "the program's layout stays on while its box has the focus" eventually group_is 0
alt_f4 "$wid"
check "Alt+F4 with a box up exits 0" exits_with "$pid" 0
check "the user's layout is given back at exit" group_is 1

report
