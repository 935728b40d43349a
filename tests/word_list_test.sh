#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The word list's tool at build time: the string tables it writes for the program (C literals of
# Windows-1251 bytes) and for the Windows resource script (UTF-8, the Italian texts with their
# accented letters), and a malformed list refused with exit code 1 and the line at fault; a wrong
# command line ends with 2.
# usage: word_list_test.sh path/to/make_string_table
set -u
tool=$1
work=$(mktemp -d /tmp/vocarta-word-list.XXXXXX)
source "$(dirname "$0")/harness.sh"
trap 'rm -rf "$work"' EXIT

makes() {  # makes LIST CODE TEXT [--rc]: LIST a printf format; TEXT in what the tool wrote or said
    printf "$1" >"$work/words.tsv"
    rm -f "$work/table"
    "$tool" ${4:-} "$work/words.tsv" "$work/table" 2>"$work/said"
    [ $? -eq "$2" ] && cat "$work/said" "$work/table" 2>/dev/null | grep -qF -- "$3"
}
check "C literals: quotes, backslashes and question marks escaped" makes '1\ta"b\\c?d\te\n' 0 '{1, "a\042b\134c\077d"}'
check "C literals: Windows-1251 bytes" makes '1\tж\te\n' 0 '{1, "\346"}'
check "resource strings: quotes doubled, backslashes escaped" makes '1\ta"b\\c\te\n' 0 '1, "a""b\\c"' --rc
check "resource strings: the Italian texts' stand-ins as the accented letters" makes '1\tмаи\tpiщ cittа, и\n' 0 '10001, "più città, è"' --rc
check "resource strings: the Russian texts as they are" makes '1\tмаи\tpiщ\n' 0 '1, "маи"' --rc
check "resource strings: a control character refused" makes '1\ta\001\te\n' 1 'index 1: control character' --rc
check "two fields" makes '1\ta\n' 1 'words.tsv:1: expected three tab-separated fields'
check "an index that is no number" makes 'x\ta\tb\n' 1 'words.tsv:1: the index is not a number'
check "indices that do not increase" makes '1\ta\tb\n1\tc\td\n' 1 'words.tsv:2: indices must increase'
check "a character outside Windows-1251" makes '1\tа\tñ\n' 1 'words.tsv:1: a character outside Windows-1251'
check "a wrong command line" eval '"$tool" 2>/dev/null; [ $? -eq 2 ]'
report
