#!/usr/bin/env bash
# The Windows program is a GUI-subsystem executable that imports from system DLLs only, so it
# runs from its single file.
# usage: imports_test.sh OBJDUMP path/to/vocarta.exe
set -u
objdump=$1
program=$2
source "$(dirname "$0")/../harness.sh"

headers=$("$objdump" -p "$program") || { echo "FAILED: $objdump cannot read $program"; echo "0 passed, 1 failed"; exit 1; }
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]' | sort)
echo "imports: $(tr '\n' ' ' <<<"$dlls")"

only_system_dlls() {
    local dll
    for dll in $dlls; do
        case $dll in
            KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMCTL32.DLL | SHELL32.DLL | MSVCRT.DLL | API-MS-WIN-*.DLL) ;;
            *) echo "  not a system DLL: $dll"; return 1 ;;
        esac
    done
}
imports() { grep -qx "$1" <<<"$dlls"; }

check "imports only system DLLs" only_system_dlls
for dll in KERNEL32.DLL USER32.DLL GDI32.DLL COMCTL32.DLL SHELL32.DLL; do
    check "imports $dll" imports "$dll"
done
check "no C++ runtime DLL" bash -c '! grep -q -E "LIBSTDC|LIBGCC|WINPTHREAD" <<<"$0"' "$dlls"
check "GUI subsystem" grep -q -E '^Subsystem[[:space:]]+00000002' <<<"$headers"
check "64-bit x86" grep -q -E '^Magic[[:space:]]+020b' <<<"$headers"

report
