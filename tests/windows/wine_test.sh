#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program: a 64-bit GUI program that imports from Windows' own DLLs only, so it runs
# from its single file; then under Wine, in a private X server (keyboard layouts us, ru and it):
# its string table and icon as Windows loads them; without a window manager, so that Wine draws
# the frames itself, under a Russian, an Italian and an English locale (ANSI code pages 1251,
# 1252, 1252; the program's manifest makes its own UTF-8): the main window, one instance at a
# time, every text of the main menu, a card with an accented word, typed answers in Italian with
# an accent and in Russian judged right and one judged wrong, the close command; a copy without
# the manifest (a Windows before 10 1903) under the Russian locale; the installer, the installed
# copy and the uninstaller; and with openbox, as a Linux user runs it, ten wrong answers whose box
# is closed by a click on OK, each followed at once by the next answer typed, and keys typed after
# the window manager activated the main window while a box is up. The Wine prefix and
# the locales live in the build folder; pictures of the main menu and of an Italian card are left
# there (wine-main-menu.png, wine-card-it.png).
# usage: wine_test.sh path/to/vocarta.exe path/to/wine_probe.exe words.tsv OBJDUMP INSTALLER.exe
set -u
vocarta=$(readlink -f "$1")
probe=$(readlink -f "$2")
words=$(readlink -f "$3")
installer=$(readlink -f "$5")
build=$(dirname "$vocarta")
work=$(mktemp -d /tmp/vocarta-wine.XXXXXX)
source "$(dirname "$(readlink -f "$0")")/../harness.sh"
export WINEPREFIX=$build/wineprefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LOCPATH=$build/locale
in_locale() { locale=$1; export LANG=$1.UTF-8 LC_ALL=$1.UTF-8; }
in_locale ru_RU
skip() { echo "SKIP: $*"; exit 77; }
headers=$(LC_ALL=C "$4" -p "$vocarta")
check "imports Windows' own DLLs only" test "$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr a-z A-Z | sort | xargs)" \
    = "COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL"
check "a 64-bit GUI program" grep -qzE 'Magic\s+020b.*Subsystem\s+00000002' <<<"$headers"
trap 'for pid in "${pids[@]}"; do kill $(pgrep -P "$pid") "$pid" 2>/dev/null; done; wineserver -k 2>/dev/null; stop_everything' EXIT

command -v wine >/dev/null || skip "Wine is not installed"
for name in ru_RU it_IT en_US; do
    if [ ! -e "$LOCPATH/$name.UTF-8/LC_CTYPE" ]; then
        mkdir -p "$LOCPATH"
        localedef -i $name -f UTF-8 "$LOCPATH/$name.UTF-8" 2>/dev/null || give_up "cannot generate $name.UTF-8 (locales)"
    fi
done
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX (once)"
    env -u DISPLAY timeout 600 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { rm -rf "$WINEPREFIX"; skip "Wine cannot create a prefix"; }
fi
# Y: the window manager frames Wine's windows; N: Wine draws the caption and border itself.
managed() { env -u DISPLAY wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d "$1" /f >/dev/null 2>&1; }
managed N
# Wine's own fonts, which Debian's Wine leaves out of a prefix: Marlett for the captions, the
# bitmap "MS Sans Serif" of Windows, and Tahoma, which Wine gives for "MS Shell Dlg" (without
# them the edit control crashes: see docs/WINDOWS.md). Not Tahoma Bold, whose strokes are as thin
# as the regular face's: without it Wine emboldens Tahoma, as Windows does Microsoft Sans Serif.
cp -u /usr/share/wine/fonts/{marlett,tahoma}.ttf /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
rm -f "$WINEPREFIX/drive_c/windows/Fonts/tahomabd.ttf"

check "the string table and the icon as Windows loads them" \
    env -u DISPLAY wine "$probe" strings "$(wine winepath -w "$vocarta")" "$(wine winepath -w "$words")"

wineserver -k  # started without a display: the window part needs one started with it
start_x_server
setxkbmap -layout us,ru,it  # the Italian layout for the accented letters
probe() { wine "$probe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }  # the probe's status, not tr's
frame_is() {  # frame_is "X Y WIDTH HEIGHT": the window rectangle, within 30 s
    for _ in $(seq 60); do [ "$(probe frame)" = "$1" ] && return 0; sleep 0.5; done
    echo "  the window rectangle is $(probe frame)"
    return 1
}
program_runs() { wine "$exe"; }
program=program_runs
# one_instance EXE NAME [STEPS...]: main window, second start, STEPS (a command), close command
one_instance() {
    exe=$1
    start
    local first=$started
    check "$2: the main window is at 100,50 with the outer size 300x180" frame_is "100 50 300 180"
    start
    check "$2: a second start exits 0" exits_with "$started" 0
    check "$2: the first one still runs" is_running "$first"
    "${@:3}"
    probe close
    check "$2: the close command exits 0" exits_with "$first" 0
    if is_running "$first"; then wineserver -k; fi  # a copy left hanging must not hold the next one off
}
main_menu_texts='Изучение словаря итальянских слов.
Словарь из 5285 слов (лицензия CC BY-SA 4.0) составлен авторами программы и сверен со словарем FreeDict (WikDict).
Обучение
Тестирование
Авторы: команда Vocarta (написать письмо)
Домашняя страница'
answer_is() { [ "$(probe answer)" = "$1" ]; }
answer_becomes() { tries=10 eventually answer_is "$1"; }  # a hung program takes 5 s a try
wrong_answer_box() { xdotool search --name '^Неправильно!!!$' >/dev/null 2>&1; }
judged_right() { answer_is "" && not wrong_answer_box; }  # the field emptied for the next question
card_is_a_pair() {  # card_is_a_pair accents|plain: the card on show
    local card
    card=$(probe card "$1" "$(wine winepath -w "$words")") || { echo "  the card: $card"; return 1; }
}
# learning accents|plain: the main menu's texts, then the learning screen, its timer held off (an
# hour a card) so that only the probe turns the cards
learning() {
    check "$locale: every text of the main menu, read in Unicode" test "$(probe texts)" = "$main_menu_texts"
    probe click "Обучение"
    xdotool key End BackSpace type 3600
    probe click "Начать"
    check "$locale: a card shows a pair of the word list ($1 accents)" card_is_a_pair "$1"
}
typed_test() {  # typed_test DIRECTION: from the main menu to the typed test run screen
    probe click "Тестирование"
    probe click "без подсказки"
    probe click "$1"
    probe click "Начать"
}
# type_and_judge accented|russian: a question asking for that kind of answer, answered with keys
type_and_judge() {
    local answer
    answer=$(probe question "$1" "$(wine winepath -w "$words")")
    xdotool type --delay 50 "$answer"
    check "$locale: the answer field takes \"$answer\" typed" answer_becomes "$answer"
    xdotool key Return
    check "$locale: and judges it right" eventually judged_right
}
journey() {
    learning accents
    [ "$locale" = it_IT ] && import -window root -crop 450x130+100+50 +repage "$build/wine-card-it.png" 2>/dev/null
    probe click "Стоп"
    [ "$locale" = ru_RU ] && import -window root -crop 300x180+100+50 +repage "$build/wine-main-menu.png" 2>/dev/null
    typed_test "русско-итальянский"
    check "$locale: \"Начать\" without a hint gives the outer size 450x130" frame_is "100 50 450 130"
    type_and_judge accented
    probe click "Остановить тестирование"
    typed_test "итальяно-русский"
    type_and_judge russian
    # "ж" first: the letter that Wine's edit control once crashed on (no word holds "жжж").
    xdotool type --delay 50 "жжж"
    check "$locale: the answer field takes \"жжж\"" answer_becomes "жжж"
    xdotool key Return
    check "$locale: and the answer is judged wrong" eventually wrong_answer_box
}
for name in ru_RU it_IT en_US; do
    in_locale $name
    one_instance "$vocarta" "built, $locale" journey
    wineserver -k  # the next locale needs a Wine started in it
done
in_locale ru_RU

# A Windows before 10 1903 reads no activeCodePage: the program's texts are Windows-1251 there, and
# Windows gives the word list's accented letters as plain ones.
probe unmanifested "$(wine winepath -w "$vocarta")" 'C:\vocarta-without-manifest.exe'
one_instance "$WINEPREFIX/drive_c/vocarta-without-manifest.exe" "without manifest" learning plain

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

# With a window manager, which activates Wine's windows later than Windows would: after each click
# on the wrong-answer box's OK, the next answer, typed at once, must reach the answer field.
wineserver -k
managed Y
start_window_manager
ok_clicked() {
    local place
    place=$(tries=50 eventually probe ok) || return 1
    xdotool mousemove $place click 1
}
rounds() {
    typed_test "русско-итальянский"
    xdotool type --delay 50 "жжж"
    xdotool key Return
    local taken=0
    for _ in $(seq 10); do
        tries=50 eventually wrong_answer_box && ok_clicked && xdotool type --delay 50 "жжж" &&
            answer_becomes "жжж" && taken=$((taken + 1))
        xdotool key Return
    done
    check "with openbox: of ten answers typed at once after a click on OK, $taken reach the field" test $taken -eq 10
    # The main window made active by the window manager while the box is up (Alt+Tab, a click on its
    # caption): the focus goes back to the answer field.
    tries=50 eventually wrong_answer_box
    activate "$(main_windows | head -1)"
    xdotool type --delay 50 "ззз"
    check "with openbox: activated again, the window gives the answer field the keys" answer_becomes "жжжззз"
}
one_instance "$vocarta" "with openbox" rounds
wineserver -k
managed N
report
