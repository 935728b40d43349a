#!/usr/bin/env bash
# The string table and the icon as Windows reads them out of vocarta.exe, under Wine with a
# Russian locale: see string_table_check.cpp.
# usage: wine_string_table_test.sh path/to/vocarta.exe path/to/string_table_check.exe words.tsv
set -u
program=$(readlink -f "$1")
checker=$(readlink -f "$2")
words=$(readlink -f "$3")
source "$(dirname "$(readlink -f "$0")")/wine_env.sh" "$(dirname "$program")"
prepare_wine
trap 'wineserver -k 2>/dev/null' EXIT
unset DISPLAY
wine_run "$checker" "$(wine_run winepath -w "$program")" "$(wine_run winepath -w "$words")" | tr -d '\r'
exit "${PIPESTATUS[0]}"
