#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A learner's journey through the screens of the real program, in a private X server with the US
# and Russian layouts, openbox and the accessibility bus: clicks at client coordinates, typing and
# Alt+F4, read back through the window manager, the keyboard group, AT-SPI and the exit code. The
# clock is held at 00:49:19.650 UTC, so every draw is known: the typed questions show 3369 "позже"
# ("piщ tardi, dopo"), then 2587 "нехватка" ("mancanza, carenza, scarsitа"); the choice
# questions show 1545 "in totale", with its translation on the fifth button, then 4463 "сосед".
# usage: e2e_test.sh VOCARTA XKB_GROUP
set -u
program=$1
xkb_group=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/vocarta-e2e.XXXXXX)
export XDG_RUNTIME_DIR=$work/run QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
source "$here/../harness.sh"
trap stop_everything EXIT
start_x_server
setxkbmap -layout us,ru
start_window_manager
start_session_bus
# In place of the browser: lists the descriptors it was started with, and the address.
mkdir "$work/bin" && export PATH=$work/bin:$PATH
printf '#!/bin/sh\nls -l /proc/$$/fd >"%s"; echo "$1" >>"%s"\n' "$work/browser" "$work/browser" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.15; }  # client coordinates
answer() { xdotool type --delay 20 "$1" && xdotool key Return; }
box() { xdotool search --onlyvisible --name '^Неправильно!!!$' 2>/dev/null | head -1; }
has_box() { [ -n "$(box)" ]; }
dismiss_box() { xdotool windowactivate "$(box)" 2>/dev/null && xdotool key Return && eventually not has_box; }
a11y() { /usr/bin/python3 "$here/a11y.py" "$@"; }
shows() { a11y | grep -xF -- "$1" >/dev/null; }
focused_is() { [ "$(a11y focused)" = "$1" ]; }
announced() { a11y alerts | grep -xF -- "$1" >/dev/null; }
group_is() { [ "$("$xkb_group")" = "$1" ]; }
field_is() { [ "$(a11y fields)" = "$1" ]; }
at_once() { local begun=$SECONDS; tries=30 eventually "$@" && [ $((SECONDS - begun)) -le 3 ]; }
browser_holds_nothing_of_ours() {
    grep -q '^http://.*/index.html$' "$work/browser" 2>/dev/null && ! grep -E 'Vocarta20.lock|socket:|anon_inode:' "$work/browser"
}
held_start() {  # the program with the held clock, as the sanitizers' runtime allows it
    TZ=UTC FAKETIME="2024-01-01 00:49:19.6505" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) \
        ASAN_OPTIONS=${ASAN_OPTIONS:-}:verify_asan_link_order=0 start
    wait_for_windows 1 || give_up "no window within 20 s; the program said: $(cat "$work/program.log")"
    wid=$(main_windows | head -1)
}
typed_question() {  # from the main menu, a typed question shown in Russian (40) or Italian (58)
    click 218 20    # Тестирование
    click 25 40     # без подсказки
    click 170 "$1"  # русско-итальянский or итальяно-русский
    click 75 68     # Начать
}

# Assistive technology from the moment the window shows, with no accessibility bus running before
# the program: a press is heard at once; the seconds field's arrows have names.
held_start
a11y do Press Обучение
check "a press through AT-SPI as soon as the window shows is heard" eventually shows "Время показа слова (секунды)"
check "the arrows of the seconds field are \"Больше\" and \"Меньше\"" eval 'shows Больше && shows Меньше'
kill "$started" && wait "$started"

held_start
check "its frame at 100, 50" eventually frame_at 100,50
check "the window manager keeps it above, and lets it be minimised but not resized or maximised" bash -c \
    '[[ $0 == *ABOVE* && $1 == *MINIMIZE* && $1 != *RESIZE* && $1 != *MAXIMIZE* ]]' \
    "$(xprop -id "$wid" _NET_WM_STATE)" "$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)"
click 146 140  # Домашняя страница
check "the browser gets the home page and none of the program's descriptors, the lock least of all" \
    eventually browser_holds_nothing_of_ours

# Typed answers, Russian shown: the US layout, an accented answer, a wrong one.
"$xkb_group" 1
typed_question 40
check "a question in Russian switches to the US layout" eventually group_is 0
check "it asks \"позже\"" eventually shows "позже"
xmessage -geometry +500+400 "another program" &
other_program=$!
other=$(timeout 10 xdotool search --sync --onlyvisible --classname xmessage | head -1)
activate "$other"
check "another program's window gets the learner's layout back" eventually group_is 1
activate "$wid"
check "and the program's window its own" eventually group_is 0
kill "$other_program"
answer "più"
check "più is right for piщ: the next question, no box" eventually shows "нехватка"
check "no box" not has_box
answer "qqzzqq"
check "a wrong answer's box, an alert, gives the translation" \
    eventually announced "Правильный перевод:\nmancanza, carenza, scarsità"
check "the box goes with Enter" dismiss_box
click 221 90  # Остановить тестирование
# The settings through assistive technology: a toggle is a click, as UI Automation's is on Windows.
click 218 20  # Тестирование
for action in "Toggle без подсказки" "Toggle итальяно-русский" "SetFocus Начать"; do
    a11y do $action
done
check "\"SetFocus\" through AT-SPI moves the focus to \"Начать\"" eventually focused_is "Начать"
a11y do Press Начать
check "toggled through AT-SPI: a typed question in Italian, on the Russian layout" eventually group_is 1
check "it asks \"bussare, battere\" (4639 стучать)" eventually shows "bussare, battere"
click 221 90

# Five choices: a wrong press, then the right one under the retry box.
click 218 20
click 75 68
check "the choice question asks \"in totale\"" eventually shows "in totale"
click 222 68   # the first button
check "a wrong press brings the retry box" eventually announced "Неправильно!!! Попробуйте еще раз."
click 222 157  # the fifth button, "итого"
check "the right press under the box poses the next question, \"сосед\"" eventually shows "сосед"
check "the retry box goes with Enter" dismiss_box
click 222 198  # Остановить тестирование

# The layouts in the order the desktop has them.
setxkbmap -layout ru,de,us
typed_question 40
check "with ru,de,us the US layout is the third group" eventually group_is 2
click 221 90
setxkbmap -layout us,ru
sleep 0.5  # the program takes the new keymap before it is typed on

# Alt+F4 while a box is up: the program's layout is on until the exit gives back the learner's.
typed_question 40
answer "qqzzqq"
check "a box is up" eventually has_box
check "with the program's layout on" group_is 0
alt_f4 "$wid"
check "Alt+F4 with a box up exits 0" exits_with "$started" 0
check "the learner's layout is given back at the exit" group_is 1

# SIGTERM (as at logout), SIGHUP (the terminal closed) and SIGINT (Ctrl+C) during a typed question:
# the learner's layout back, the process ended by the signal (128 + its number).
for row in "TERM 143" "HUP 129" "INT 130"; do
    read -r signal code <<<"$row"
    held_start
    typed_question 40
    check "SIG$signal: a typed question on the program's layout" eventually group_is 0
    kill -"$signal" "$started"
    check "SIG$signal ends it" exits_with "$started" "$code"
    check "SIG$signal gives the learner's layout back" group_is 1
done

# Without the answer's layout (us and de, the learner on de) the field types Russian itself, by the
# keys' places, and the X server's group stays the learner's; a question in Russian then types
# Latin again, on the US group, and the next in Italian gives the learner's group back.
setxkbmap -layout us,de
"$xkb_group" 1
held_start
typed_question 58
xdotool key --delay 20 l j v
check "without ru, a question in Italian: l j v type дом" eventually field_is "дом"
check "the X server's group stays the learner's de" group_is 1
click 221 90
typed_question 40
xdotool key --delay 20 l j v
check "then a question in Russian: l j v type ljv" eventually field_is "ljv"
click 221 90
typed_question 58
xdotool key --delay 20 l j v
check "in Italian again: the learner's de back on the X server, дом typed" eval 'group_is 1 && eventually field_is дом'
kill "$started" && wait "$started"
setxkbmap -layout us,ru

# Plasma's keyboard service, answering with an error or not at all: the questions come at once,
# the layout switches through XKB instead, and the service is asked only the once.
plasma_on_bus() { dbus-send --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
    string:org.kde.keyboard | grep -q true; }
for mode in error silent; do
    /usr/bin/python3 "$here/plasma_keyboard.py" "$mode" "$work/asked-$mode" &
    stand_in=$!
    eventually plasma_on_bus || give_up "the keyboard service stand-in did not start"
    "$xkb_group" 1
    held_start
    typed_question 40
    check "$mode: the question comes at once" at_once shows "позже"
    check "$mode: on the US layout, through XKB" group_is 0
    answer "più"
    check "$mode: so does the next" at_once shows "нехватка"
    check "$mode: the service was asked once" [ "$(wc -l <"$work/asked-$mode")" -eq 1 ]
    kill "$started" "$stand_in" && wait "$started" "$stand_in"
done
report
