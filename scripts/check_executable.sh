#!/usr/bin/env bash
# Checks the shipped executable: a 32-bit (i386) GUI program that imports
# only DLLs that ship with Windows, so it runs from a plain copy.
#   check_executable.sh korvane.exe OBJDUMP
set -euo pipefail
exe=$1
objdump=${2:-i686-w64-mingw32-objdump}
headers=$("$objdump" -p "$exe")
fail() { echo "FAIL: $*"; exit 1; }
grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE32 i386 image"
grep -Eq '^Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || fail "not a GUI-subsystem program"
shipped='kernel32.dll user32.dll gdi32.dll advapi32.dll ws2_32.dll ole32.dll msvcrt.dll comctl32.dll shell32.dll msimg32.dll uxtheme.dll'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || fail "no imports found"
for dll in $dlls; do
  [[ " $shipped " == *" $dll "* ]] || fail "imports $dll, which does not ship with Windows"
done
echo "korvane.exe: PE32 i386 GUI, imports: $(echo $dlls)"
