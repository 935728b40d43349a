# Sourced by the Wine tests: a Wine prefix of their own in the build folder, a Russian locale so
# that the ANSI code page is 1251 as on a Russian Windows, Wine drawing its own window frames.
# usage: source wine_env.sh BUILD_DIR; then prepare_wine (exits with 77 where Wine cannot start)
# and run programs with wine_run.

wine_build=$1
export WINEPREFIX=$wine_build/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono and no Gecko: the program needs neither, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine_locale_dir=$wine_build/locale

# Only where Wine cannot start at all is a check skipped; anything else missing is a failure.
skip() {
    echo "SKIP: $*"
    exit 77
}

fail() {
    echo "FAILED: $*"
    echo "0 passed, 1 failed"
    exit 1
}

# Wine takes its locale (and so the code pages) from glibc's.
wine_run() {
    env LOCPATH="$wine_locale_dir" LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 wine "$@"
}

prepare_wine() {
    command -v wine >/dev/null || skip "Wine is not installed"
    command -v wineserver >/dev/null || skip "wineserver is not installed"
    # glibc's ru_RU.UTF-8, generated into the build folder: the system's locales stay as they are.
    if [ ! -e "$wine_locale_dir/ru_RU.UTF-8/LC_CTYPE" ]; then
        mkdir -p "$wine_locale_dir"
        localedef -i ru_RU -f UTF-8 "$wine_locale_dir/ru_RU.UTF-8" >/dev/null 2>&1
        [ -e "$wine_locale_dir/ru_RU.UTF-8/LC_CTYPE" ] ||
            fail "cannot generate the ru_RU.UTF-8 locale (localedef; Debian's locales package has its sources)"
    fi
    wineserver -k 2>/dev/null  # one left running by an earlier run of this prefix
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating the Wine prefix $WINEPREFIX (once)"
        local started=$SECONDS
        env -u DISPLAY LOCPATH="$wine_locale_dir" LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 \
            timeout 600 wineboot -i >/dev/null 2>&1
        timeout 120 wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || { rm -rf "$WINEPREFIX"; skip "Wine cannot create a prefix (wineboot -i)"; }
        echo "prefix created in $((SECONDS - started)) s"
    fi
    # Non-managed windows: Wine draws the caption and border itself, so the X window is the
    # whole window rectangle and the caption's buttons can be clicked.
    if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg"; then
        env -u DISPLAY LOCPATH="$wine_locale_dir" LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 \
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
            skip "Wine cannot run its own reg.exe"
        timeout 60 wineserver -w
    fi
    # The caption buttons' glyphs are Marlett's (Debian's fonts-wine), looked up in the prefix.
    if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
}
