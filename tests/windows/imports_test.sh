#!/usr/bin/env bash
# The Windows program is a 64-bit GUI-subsystem executable that imports from Windows' own DLLs
# only, so it runs from its single file.
# usage: imports_test.sh OBJDUMP path/to/vocarta.exe
set -u
source "$(dirname "$0")/../harness.sh"
headers=$("$1" -p "$2") || give_up "$1 cannot read $2"
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
echo "imports: $dlls"
check "Windows' own DLLs only" test "$dlls" = "COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL "
check "GUI subsystem" grep -q -E '^Subsystem[[:space:]]+00000002' <<<"$headers"
check "64-bit x86" grep -q -E '^Magic[[:space:]]+020b' <<<"$headers"
report
