#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program: a 64-bit GUI program that imports from Windows' own DLLs only, so it runs
# from its single file; then under Wine, with a Russian locale (ANSI code page 1251, as on a
# Russian Windows) and in a private X server without a window manager, so that Wine draws the
# frames itself: its string table and icon as Windows loads them, the main window, one instance
# at a time, the testing screen's frame, and the caption's close command. The Wine prefix and the
# locale live in the build folder; a picture of the main menu is left there (wine-main-menu.png).
# usage: wine_test.sh path/to/vocarta.exe path/to/wine_probe.exe words.tsv OBJDUMP
set -u
program=$(readlink -f "$1")
probe=$(readlink -f "$2")
words=$(readlink -f "$3")
build=$(dirname "$program")
work=$(mktemp -d /tmp/vocarta-wine.XXXXXX)
source "$(dirname "$(readlink -f "$0")")/../harness.sh"
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH=$build/locale LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8
skip() { echo "SKIP: $*"; exit 77; }
headers=$(LC_ALL=C "$4" -p "$program")
check "imports Windows' own DLLs only" test "$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr a-z A-Z | sort | xargs)" \
    = "COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL"
check "a 64-bit GUI program" grep -qzE 'Magic\s+020b.*Subsystem\s+00000002' <<<"$headers"
trap 'for pid in "${pids[@]}"; do kill $(pgrep -P "$pid") "$pid" 2>/dev/null; done; wineserver -k 2>/dev/null; stop_everything' EXIT

command -v wine >/dev/null || skip "Wine is not installed"
if [ ! -e "$LOCPATH/ru_RU.UTF-8/LC_CTYPE" ]; then
    mkdir -p "$LOCPATH"
    localedef -i ru_RU -f UTF-8 "$LOCPATH/ru_RU.UTF-8" 2>/dev/null || give_up "cannot generate ru_RU.UTF-8 (locales)"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (once)"
    env -u DISPLAY timeout 600 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { rm -rf "$WINEPREFIX"; skip "Wine cannot create a prefix"; }
    # Wine draws the caption and border itself; the caption's glyphs come from Marlett.
    env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
fi

check "the string table and the icon as Windows loads them" \
    env -u DISPLAY wine "$probe" strings "$(wine winepath -w "$program")" "$(wine winepath -w "$words")"

wineserver -k  # started without a display: the window part needs one started with it
start_x_server
probe() { wine "$probe" "$@" | tr -d '\r'; }
frame_is() {  # frame_is "X Y WIDTH HEIGHT": the window rectangle, within 30 s
    for _ in $(seq 60); do [ "$(probe frame)" = "$1" ] && return 0; sleep 0.5; done
    echo "  the window rectangle is $(probe frame)"
    return 1
}
exe=$program
program_runs() { wine "$exe"; }
program=program_runs
start
first=$started
check "the main window is at 100,50 with the outer size 300x180" frame_is "100 50 300 180"
import -window root -crop 300x180+100+50 +repage "$build/wine-main-menu.png" 2>/dev/null
start
check "a second start exits 0" exits_with "$started" 0
check "the first one still runs" is_running "$first"
probe click-testing
check "\"Тестирование\" gives the outer size 300x110" frame_is "100 50 300 110"
probe close
check "the close command exits 0" exits_with "$first" 0
report
