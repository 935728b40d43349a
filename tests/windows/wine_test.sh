#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program: a 64-bit GUI program that imports from Windows' own DLLs only, so it runs
# from its single file; then under Wine, with a Russian locale (ANSI code page 1251, as on a
# Russian Windows) and in a private X server without a window manager, so that Wine draws the
# frames itself: its string table and icon as Windows loads them, the main window, one instance
# at a time, the testing screen, a typed answer, the close command; the same on the installed
# copy, and the uninstaller. The Wine prefix and the locale live in the build folder; a picture of
# the main menu is left there (wine-main-menu.png).
# usage: wine_test.sh path/to/vocarta.exe path/to/wine_probe.exe words.tsv OBJDUMP INSTALLER.exe
set -u
program=$(readlink -f "$1")
probe=$(readlink -f "$2")
words=$(readlink -f "$3")
installer=$(readlink -f "$5")
build=$(dirname "$program")
work=$(mktemp -d /tmp/vocarta-wine.XXXXXX)
source "$(dirname "$(readlink -f "$0")")/../harness.sh"
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
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
    # Wine draws the caption and border itself.
    env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    timeout 60 wineserver -w
fi
# Wine's own fonts, which Debian's Wine leaves out of a prefix: Marlett for the captions, and the
# bitmap "MS Sans Serif" of Windows (without it the edit control crashes: see docs/WINDOWS.md).
cp -u /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null

check "the string table and the icon as Windows loads them" \
    env -u DISPLAY wine "$probe" strings "$(wine winepath -w "$program")" "$(wine winepath -w "$words")"

wineserver -k  # started without a display: the window part needs one started with it
start_x_server
setxkbmap -layout us,ru
probe() { wine "$probe" "$@" | tr -d '\r'; }
frame_is() {  # frame_is "X Y WIDTH HEIGHT": the window rectangle, within 30 s
    for _ in $(seq 60); do [ "$(probe frame)" = "$1" ] && return 0; sleep 0.5; done
    echo "  the window rectangle is $(probe frame)"
    return 1
}
program_runs() { wine "$exe"; }
program=program_runs
# one_instance EXE NAME [STEPS]: main window, second start, STEPS (a function), close command
one_instance() {
    exe=$1
    start
    local first=$started
    check "$2: the main window is at 100,50 with the outer size 300x180" frame_is "100 50 300 180"
    start
    check "$2: a second start exits 0" exits_with "$started" 0
    check "$2: the first one still runs" is_running "$first"
    ${3:-}
    probe close
    check "$2: the close command exits 0" exits_with "$first" 0
    if is_running "$first"; then wineserver -k; fi  # a copy left hanging must not hold the next one off
}
answer_is() { [ "$(probe answer | iconv -f cp1251 -t utf-8)" = "$1" ]; }
answer_becomes() { tries=10 eventually answer_is "$1"; }  # a hung program takes 5 s a try
wrong_answer_box() { xdotool search --name '^Неправильно!!!$' >/dev/null 2>&1; }
# A typed question with Italian shown takes an answer beginning with "ж" and judges it (no word
# holds "жжж").
typed_answer() {
    import -window root -crop 300x180+100+50 +repage "$build/wine-main-menu.png" 2>/dev/null
    probe click "Тестирование"
    check "\"Тестирование\" gives the outer size 300x110" frame_is "100 50 300 110"
    probe click "без подсказки"
    probe click "итальяно-русский"
    probe click "Начать"
    check "\"Начать\" without a hint gives the outer size 450x130" frame_is "100 50 450 130"
    xdotool type --delay 50 "жжж"
    check "the answer field takes \"жжж\"" answer_becomes "жжж"
    xdotool key Return
    check "and the answer is judged wrong" eventually wrong_answer_box
}
one_instance "$(readlink -f "$1")" built typed_answer

folder() { winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"; }
temp_folder=$(folder TEMP)
temp_before=$(ls -A "$temp_folder")
check "the installer installs silently" wine "$installer" /S
installed=$(folder LOCALAPPDATA)/Programs/Vocarta
shortcut="$(folder APPDATA)/Microsoft/Windows/Start Menu/Programs/Vocarta.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vocarta'
registry() { wine reg query "$key" 2>/dev/null | tr -d '\r'; }
registered() { registry | sed -n 's/^ *\([A-Za-z]*\) *REG_.*/\1/p' | LC_ALL=C sort | xargs; }
check "it installs the program, the texts and the uninstaller" \
    test "$(LC_ALL=C ls "$installed" | xargs)" = "COPYING.txt README.txt WORDS.txt uninstall.exe vocarta.exe"
check "it adds the Start-menu shortcut" test -f "$shortcut"
check "it registers the uninstaller for the current user" test "$(registered)" = \
    "DisplayIcon DisplayName DisplayVersion EstimatedSize InstallLocation NoModify NoRepair Publisher QuietUninstallString UninstallString"
check "as version 2.0" grep -qE '^ *DisplayVersion +REG_SZ +2\.0$' <<<"$(registry)"
# While the installed copy runs, neither the installer nor the uninstaller touches it: in silent
# mode they end with 2 (the uninstaller as run in place; as "Apps & features" runs it, it hands
# over to a copy of itself in %TEMP% and ends at once) and leave every file as it was.
changes() { stat -c '%n %Z' "$installed"/*; }  # the change time, which no installer can set back
uninstaller_copy_ended() { ! pgrep -f 'nsu.*Un\.exe' >/dev/null; }
in_use() {
    local before=$(changes)
    wine "$installer" /S
    check "installing over the running copy ends with 2" test $? -eq 2
    wine "$installed/uninstall.exe" /S "_?=$(winepath -w "$installed")"
    check "uninstalling the running copy ends with 2" test $? -eq 2
    wine "$installed/uninstall.exe" /S && eventually uninstaller_copy_ended
    check "and neither changes the installed files" test "$(changes)" = "$before"
}
one_instance "$installed/vocarta.exe" installed in_use
wine "$installed/uninstall.exe" /S
removed() { [ ! -e "$installed" ] && [ ! -e "$shortcut" ] && [ -z "$(registered)" ]; }
check "the uninstaller removes the folder, the shortcut and the registry key" eventually removed
temp_as_before() { [ "$(ls -A "$temp_folder")" = "$temp_before" ]; }
check "and leaves nothing in %TEMP%" eventually temp_as_before
report
