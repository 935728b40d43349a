#!/usr/bin/env bash
# A learner's journey through every screen of the real program: a private X server with the US
# and Russian layouts, the openbox window manager and the accessibility bus. The script acts as a
# user would (clicks at client coordinates, typing, Alt+F4) and reads the outcome from outside:
# the window manager's view of the window, the keyboard group, texts through AT-SPI, the exit
# code. The clock is held at 00:49:19.650 UTC, so the first words drawn are 3369 "позже" /
# "piщ tardi, dopo" and 2587 "нехватка" / "mancanza, carenza, scarsitа".
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
start_x_server
setxkbmap -layout us,ru
start_window_manager
/usr/bin/python3 "$here/a11y.py" names >/dev/null 2>&1  # brings up the accessibility bus

eventually() {  # eventually COMMAND...: true within 10 s
    for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
    return 1
}
not() { ! "$@"; }
click() {  # click X Y, in the main window's client coordinates
    xdotool mousemove --window "$wid" "$1" "$2" click 1
    sleep 0.3
}
type_and_enter() { xdotool type --delay 20 "$1" && xdotool key Return; }
box() { xdotool search --onlyvisible --name '^Неправильно!!!$' 2>/dev/null | head -1; }
has_box() { [ -n "$(box)" ]; }
dismiss_box() { xdotool windowactivate "$(box)" 2>/dev/null && xdotool key Return && eventually test -z "$(box)"; }
a11y() { /usr/bin/python3 "$here/a11y.py" "$@" 2>/dev/null; }
shows() { a11y names | grep -qxF -- "$1"; }
has_alert() { a11y dump | grep -q '^alert'; }
labels() { a11y dump | awk -F'\t' '$1 == "label" {print $2}'; }
question_is_not() { [ "$(labels | head -1)" != "$1" ]; }
group_is() { [ "$("$xkb_group")" = "$1" ]; }
screenshot() { import -window root "$work/root.png" && convert "$work/root.png" -crop 700x400+0+0 "$shots/$1.png"; }
frame_origin() {  # the outer frame's top-left: the client's position less the frame openbox drew
    local x y extents
    x=$(xwininfo -id "$wid" | awk '/Absolute upper-left X:/{print $4}')
    y=$(xwininfo -id "$wid" | awk '/Absolute upper-left Y:/{print $4}')
    extents=$(xprop -id "$wid" _NET_FRAME_EXTENTS | sed 's/.*= //; s/ //g')
    echo "$((x - $(cut -d, -f1 <<<"$extents"))),$((y - $(cut -d, -f3 <<<"$extents")))"
}
held_clock() {  # under the sanitizers, the preloaded clock must not stop their runtime
    TZ=UTC FAKETIME="2024-01-01 00:49:19.6505" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) \
        ASAN_OPTIONS=${ASAN_OPTIONS:-}:verify_asan_link_order=0 "$@"
}

# ---- The main menu ------------------------------------------------------------------------------
held_clock start
check "the main window shows" wait_for_windows 1
wid=$(main_windows | head -1)
sleep 0.3
check "its frame at 100, 50" test "$(frame_origin)" = 100,50
check "stays above other windows" grep -q _NET_WM_STATE_ABOVE <<<"$(xprop -id "$wid" _NET_WM_STATE)"
allowed=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
check "can be minimised but not resized or maximised" \
    bash -c 'grep -q MINIMIZE <<<"$0" && ! grep -q -E "RESIZE|MAXIMIZE" <<<"$0"' "$allowed"
check "reads \"Тестирование\"" eventually shows "Тестирование"
screenshot main-menu

# ---- A typed test: the layout of the answer's language, an accented answer, a wrong one ---------
click 218 20
screenshot test-setup
"$xkb_group" 1
click 25 40   # без подсказки
click 170 40  # русско-итальянский
click 75 68   # Начать
check "a question in Russian switches to the US layout" eventually group_is 0
check "the question is \"позже\"" eventually shows "позже"
screenshot typed-run
type_and_enter "più"
check "più for piщ is right: the next question follows, with no box" eventually shows "нехватка"
check "and no box" not has_box
type_and_enter "qqzzqq"
check "a wrong answer's box gives the translation with its accent" \
    eventually shows "Правильный перевод:\nmancanza, carenza, scarsità"
check "announced as an alert" has_alert
screenshot typed-wrong-answer
check "the box goes with Enter" dismiss_box
click 221 90  # Остановить тестирование
click 218 20
"$xkb_group" 0
click 25 40   # без подсказки
click 170 58  # итальяно-русский
click 75 68
check "a question in Italian switches to the Russian layout" eventually group_is 1
click 221 90

# ---- A five-choice test: a wrong press, then the right one under its box ----------------------
click 218 20
click 75 68
question=$(labels | head -1)
mapfile -t choices < <(a11y dump | awk -F'\t' '$1 == "push button" {print $2}' | head -5)
mapfile -t answers < <(/usr/bin/python3 "$here/words.py" "$words" "$question")
right=0 wrong=0
for k in 1 2 3 4 5; do
    if printf '%s\n' "${answers[@]}" | grep -qxF -- "${choices[$((k - 1))]:-}"; then right=$k; else wrong=$k; fi
done
check "the translation of \"$question\" is on a button" test "$right" -gt 0
screenshot choice-run
click 222 $((68 + 20 * (wrong - 1)))
check "a wrong press brings the retry box" eventually shows "Неправильно!!! Попробуйте еще раз."
screenshot choice-wrong-press
click 222 $((68 + 20 * (right - 1)))
check "the right press under the box poses the next question" eventually question_is_not "$question"
check "the retry box goes with Enter" dismiss_box
click 222 198  # Остановить тестирование

# ---- Flash cards --------------------------------------------------------------------------------
click 74 20
screenshot learning-setup
click 145 64  # Начать
click 113 90  # Пауза
check "a paused card" eventually shows "Продолжить"
screenshot learning-run
click 328 90  # Стоп

# ---- Alt+F4 with a box up ----------------------------------------------------------------------
click 218 20
click 25 40
click 75 68
type_and_enter "qqzzqq"
check "a box is up" eventually has_box
alt_f4 "$wid"
check "Alt+F4 with a box up exits 0" exits_with "$started" 0
report
