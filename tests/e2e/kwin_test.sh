#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on Plasma's own compositor: KWin, headless (kwin_wayland --virtual) with XWayland, in
# a Wayland session of its own (a private session bus, a private kxkbrc with the layouts us,ru),
# once under Plasma's switching policy Global and once under Window. The layouts are read from
# KWin's keyboard service (getLayout: 0 us, 1 ru); the program is driven through AT-SPI, the
# learner's other program is an X client.
# usage: kwin_test.sh VOCARTA
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/vocarta-kwin.XXXXXX)
unset QT_QPA_PLATFORM DISPLAY WAYLAND_DISPLAY
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
source "$here/../harness.sh"
trap stop_everything EXIT
kwin=$(command -v kwin_wayland) || { echo "SKIP: KWin is not installed"; exit 77; }
# A container may refuse to run kwin_wayland for its file capability (cap_sys_resource): a plain
# copy runs, under the same name (only under it does KWin load its own Qt platform).
if ! "$kwin" --version >/dev/null 2>&1; then
    mkdir "$work/bin" && cp "$kwin" "$work/bin/kwin_wayland" && kwin=$work/bin/kwin_wayland
fi

keyboard() { dbus-send --session --print-reply --dest=org.kde.keyboard /Layouts "org.kde.KeyboardLayouts.$@"; }
layout_is() { [ "$(keyboard getLayout 2>/dev/null | awk '/uint32/ {print $2}')" = "$1" ]; }
# After a change of the active window KWin puts its layout back at once and the program follows a
# moment later: the layout must stay.
settles_on() { eventually layout_is "$1" && sleep 0.5 && layout_is "$1"; }
a11y() { /usr/bin/python3 "$here/a11y.py" do "$@"; }
typed_run() {  # typed_run DIRECTION: from the main menu, through AT-SPI
    a11y Press Тестирование && a11y Toggle без подсказки && a11y Toggle "$1" && a11y Press Начать
}

# session POLICY CONFIG: KWin under that switching policy, written in kxkbrc in that folder (the
# Window session's is ~/.config); DISPLAY is its XWayland's, told by a child.
session() {
    export XDG_RUNTIME_DIR=$work/$1/run WAYLAND_DISPLAY=vocarta-$1
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$2"
    printf '[Layout]\nLayoutList=us,ru\nUse=true\nSwitchMode=%s\n' "$1" >"$2/kxkbrc"
    printf '#!/bin/sh\necho "$DISPLAY" >%s\n' "$work/$1/display" >"$work/$1/tell" && chmod +x "$work/$1/tell"
    start_session_bus
    "$kwin" --virtual --xwayland --width 1024 --height 768 --socket "$WAYLAND_DISPLAY" "$work/$1/tell" \
        >"$work/$1/kwin.log" 2>&1 &
    pids+=($!)
    eventually test -s "$work/$1/display" || give_up "KWin did not start: $(tail -3 "$work/$1/kwin.log")"
    export DISPLAY=$(cat "$work/$1/display")
    eventually layout_is 0 || give_up "no keyboard service with us,ru"
    xmessage -geometry +600+400 "another program" &
    pids+=($!)
    other=$(timeout 10 xdotool search --sync --onlyvisible --classname xmessage | head -1)
}
start_program() { start && wait_for_windows 1 && wid=$(main_windows | head -1) && activate "$wid"; }

# Global: one layout for the desktop; the program's is on only while its window is active, and the
# learner's comes back when another window is or the program closes. Window: KWin keeps a layout
# for each window (the learner types Russian in the other one) and puts it back itself. Each row:
# the policy, kxkbrc's folder (the Window session's is ~/.config), the direction, the program's
# layout, the other window's.
export HOME=$work/home
for row in "Global config итальяно-русский 1 0" "Window home/.config русско-итальянский 0 1"; do
    read -r policy config direction ours theirs <<<"$row"
    unset XDG_CONFIG_HOME
    [ "$policy" = Window ] || export XDG_CONFIG_HOME=$work/$config
    session "$policy" "$work/$config"
    activate "$other"
    keyboard setLayout "uint32:$theirs" >/dev/null
    start_program
    check "$policy: through XWayland, its frame at 100, 50" eventually frame_at 100,50
    check "$policy: KWin keeps it above" eval '[[ $(xprop -id "$wid" _NET_WM_STATE) == *ABOVE* ]]'
    typed_run "$direction"
    check "$policy: a question in the other language, the program's layout $ours" eventually layout_is "$ours"
    activate "$other"
    check "$policy: another window, its layout $theirs" settles_on "$theirs"
    activate "$wid"
    check "$policy: back in the program, its $ours" settles_on "$ours"
    wmctrl -c 'Vocarta 2.0'
    check "$policy: closing exits 0, the other window on its $theirs" eval 'exits_with "$started" 0 && settles_on "$theirs"'
    end_started
done
report
