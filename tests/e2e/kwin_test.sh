#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on Plasma's own compositor: KWin, headless (kwin_wayland --virtual) with XWayland, in
# a Wayland session of its own (a private session bus, a private kxkbrc with the layouts us,ru),
# under each of Plasma's switching policies: Global, WinClass, Window, Desktop. The layouts are
# read from KWin's keyboard service (getLayout: 0 us, 1 ru); the program is driven through AT-SPI,
# the learner's other program is an X client.
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

# session NAME CONFIG: KWin with its kxkbrc in that folder; DISPLAY is its XWayland's, told by a child.
session() {
    export XDG_RUNTIME_DIR=$work/$1/run WAYLAND_DISPLAY=vocarta-$1
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" && mkdir -p "$2"
    kxkbrc=$2/kxkbrc
    policy Global
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
# policy POLICY: Plasma's switching policy, written in kxkbrc as its settings do, and KWin told.
policy() {
    printf '[Layout]\nLayoutList=us,ru\nUse=true\nSwitchMode=%s\n' "$1" >"$kxkbrc"
    dbus-send --session --type=signal /Layouts org.kde.keyboard.reloadConfig 2>/dev/null
}
start_program() { start && wait_for_windows 1 && wid=$(main_windows | head -1) && activate "$wid"; }

# Global: one layout for the desktop; the program's is on only while its window is active, and the
# learner's comes back when another window is or the program closes. WinClass and Window: KWin
# keeps a layout for each application or window (the learner types Russian in the other one) and
# puts it back itself. Desktop: one layout for each virtual desktop, which the other window, on
# the same desktop, shares. The policy is read from $XDG_CONFIG_HOME/kxkbrc in one session and
# from ~/.config/kxkbrc in the other. Each row: the session, the policy, the direction, the
# learner's layout in the other window, the program's, the other window's when turned to and
# after the program closes.
export HOME=$work/home
for row in "config Global итальяно-русский 0 1 0" "config WinClass русско-итальянский 1 0 1" \
    "home Window русско-итальянский 1 0 1" "home Desktop итальяно-русский 0 1 1"; do
    read -r place name direction theirs ours turned <<<"$row"
    if [ "$place" != "${session_place:-}" ]; then
        end_started
        unset XDG_CONFIG_HOME
        [ "$place" = config ] && export XDG_CONFIG_HOME=$work/config
        session "$place" "${XDG_CONFIG_HOME:-$HOME/.config}"
        session_place=$place
    fi
    policy "$name"
    activate "$other"
    keyboard setLayout "uint32:$theirs" >/dev/null
    start_program
    check "$name: through XWayland, its frame at 100, 50" eventually frame_at 100,50
    check "$name: KWin keeps it above" eval '[[ $(xprop -id "$wid" _NET_WM_STATE) == *ABOVE* ]]'
    typed_run "$direction"
    check "$name: a question in the other language, the program's layout $ours" eventually layout_is "$ours"
    activate "$other"
    check "$name: another window, its layout $turned" settles_on "$turned"
    activate "$wid"
    check "$name: back in the program, its $ours" settles_on "$ours"
    wmctrl -c 'Vocarta 2.0'
    check "$name: closing exits 0, the other window on its $turned" eval 'exits_with "$started" 0 && settles_on "$turned"'
done
report
