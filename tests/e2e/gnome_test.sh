#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a real GNOME Shell session under Wayland: gnome-shell --headless with a virtual
# monitor, on private session and system buses, with the input sources us and ru. Keys are pressed
# through mutter's remote desktop interface, so GNOME's input source applies to them as to a real
# keyboard's; the program is driven and its answer field read through AT-SPI. In each typed run
# the learner's source is the other language, and a Shift between two words makes GNOME send its
# layout to XWayland again, which would undo a switch of XWayland's keyboard alone. About 13 s.
# usage: gnome_test.sh VOCARTA XKB_GROUP
set -u
program=$1
xkb_group=$2
here=$(cd "$(dirname "$0")" && pwd)
command -v gnome-shell >/dev/null || { echo "SKIP: GNOME Shell is not installed"; exit 77; }
work=$(mktemp -d /tmp/vocarta-gnome.XXXXXX)
source "$here/../harness.sh"
# Bus-activated services (dconf, the accessibility buses, the shell's helpers) and XWayland are
# no children of the test: everything that carries this mark in its environment is ended by PID.
export VOCARTA_GNOME_MARK=$work
end_marked() {
    local pid
    for pid in $(grep -l -s -a -F "VOCARTA_GNOME_MARK=$work" /proc/[0-9]*/environ | cut -d/ -f3); do
        [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] && kill -9 "$pid" 2>/dev/null
    done
}
# XWayland's displays: their lock files and sockets outlive a killed XWayland.
remove_x_leftovers() {
    local number owner
    for number in $(sed -n 's/.*Using public X11 display :\([0-9]*\), (using :\([0-9]*\).*/\1 \2/p' \
        "$work"/shell-*.log 2>/dev/null); do
        owner=$(tr -d ' ' <"/tmp/.X$number-lock" 2>/dev/null) || continue
        kill -0 "$owner" 2>/dev/null || rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
    done
}
trap 'end_started; end_marked; remove_x_leftovers; rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
export XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache XDG_SESSION_TYPE=wayland
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

# A GNOME session on the learner's input source: the private buses (the shell asks logind on the
# system bus where /run/systemd/seats exists: a private, empty one), the sources us and ru with
# the learner's one most recently used, which GNOME turns on at its start; the shell; a keyboard.
# Each session has a runtime folder of its own: a shell started where the last one was killed finds
# its start-up guard there and sometimes never finishes starting.
gnome_session() {
    export XDG_RUNTIME_DIR=$work/run-$1
    local log=$work/shell-$1.log
    mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$HOME"
    printf '<busconfig><type>system</type><listen>unix:dir=%s</listen><auth>EXTERNAL</auth><policy context="default">
<allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/><allow eavesdrop="true"/>
</policy></busconfig>' "$work" >"$work/system.conf"
    dbus-daemon --config-file="$work/system.conf" --nofork --print-address=3 3>"$work/system_bus" >/dev/null 2>&1 &
    pids+=($!)
    eventually test -s "$work/system_bus" || give_up "the system bus did not start"
    export DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$work/system_bus")
    start_session_bus
    local other=$([ "$1" = us ] && echo ru || echo us)
    gsettings set org.gnome.desktop.input-sources sources "[('xkb','us'),('xkb','ru')]"
    gsettings set org.gnome.desktop.input-sources mru-sources "[('xkb','$1'),('xkb','$other')]"
    gnome-shell --headless --wayland --virtual-monitor 1024x768 --wayland-display vocarta-gnome \
        >"$log" 2>&1 &
    pids+=($!)
    shell_up() { grep -q "GNOME Shell started" "$log"; }
    tries=150 eventually shell_up || {
        echo "SKIP: GNOME Shell cannot start here: $(grep -v '^\s' "$log" | tail -1)"
        exit 77
    }
    x=$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$log")
    x_authority=$(echo "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.*)
    coproc KEYS { /usr/bin/python3 "$here/mutter_keys.py"; }
    pids+=($!)
    keys ESC  # the overview that GNOME opens at its start
}
keys() { echo "$*" >&"${KEYS[1]}" && read -r -t 10 _ <&"${KEYS[0]}"; }
a11y() { /usr/bin/python3 "$here/a11y.py" "$@"; }
press_until() { a11y do Press "$1" 2>/dev/null; sleep 0.2; a11y | grep -qxF "$2"; }
field_is() { [ "$(a11y fields 2>/dev/null)" = "$1" ]; }
question_up() { a11y | grep -qxF "Остановить тестирование"; }

# Each row: the learner's source (its index: us 0, ru 1), how the program runs (through XWayland as
# it chooses, or as a Wayland client where there is no X display: the program says so), the
# direction, the keys, the field after them. XWayland's group, which GNOME sets to its source's
# at every Shift, shows the learner's source.
rows=(
    "us 0 xwayland итальяно-русский L_J_V домдом"
    "us 0 wayland итальяно-русский L_J_V домдом"
    "ru 1 xwayland русско-итальянский C_A_S_A casacasa"
    "ru 1 wayland русско-итальянский C_A_S_A casacasa"
)
begun=$SECONDS
for row in "${rows[@]}"; do
    read -r learners group runs_as direction word expected <<<"$row"
    word=${word//_/ }
    if [ "$learners" != "${session_source:-}" ]; then
        end_started
        end_marked
        gnome_session "$learners"
        session_source=$learners
    fi
    : >"$work/program.log"
    if [ "$runs_as" = xwayland ]; then
        DISPLAY=$x XAUTHORITY=$x_authority WAYLAND_DISPLAY=vocarta-gnome start
    else
        WAYLAND_DISPLAY=vocarta-gnome start
    fi
    says_wayland=$([ "$runs_as" = wayland ] && echo 1 || echo 0)
    check "$runs_as: the main menu, the program a $runs_as client" eval 'tries=100 eventually \
        press_until Тестирование "без подсказки" && [ "$(grep -c "so a Wayland window" "$work/program.log")" = $says_wayland ]'
    a11y do Toggle без подсказки && a11y do Toggle "$direction" && a11y do Press Начать
    eventually question_up
    keys "$word" && keys LEFTSHIFT && keys "$word"
    tries=30 eventually field_is "$expected"
    typed=$(a11y fields)
    check "$runs_as, $direction, on GNOME's $learners: $word, a Shift, $word: $typed" [ "$typed" = "$expected" ]
    [ "$runs_as" = wayland ] || check "GNOME's source is the learner's $learners" \
        [ "$(DISPLAY=$x XAUTHORITY=$x_authority "$xkb_group")" = "$group" ]
    kill "$started" && wait "$started"
done
echo "GNOME test: $((SECONDS - begun)) s from the shell's start"
report
