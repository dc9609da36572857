#!/usr/bin/env bash
# check-executable.sh EXE
# The setup program must be a PE32 i386 GUI executable that asks for ASLR and
# DEP, and whose import table names only KnownDLLs: Windows maps those from
# the system directory before the program's first instruction, so no DLL
# planted beside a downloaded setup program can be loaded through the import
# table. Nor does it name an ANSI entry point (a name ending in "A"): every
# text goes to Windows as UTF-16, so that the program means the same on
# every ANSI code page.
set -euo pipefail
export LC_ALL=C  # objdump's output is read in English
exe=$1
# The toolchain's start-up code (crtbegin.o) looks up the runtime's unwinder
# library by an ASCII name of its own; nothing of the program's.
startup_ansi="GetModuleHandleA LoadLibraryA"
known="advapi32 comdlg32 gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32 combase clbcatq difxapi"

header=$(i686-w64-mingw32-objdump -f "$exe")
grep -q 'file format pei-i386' <<<"$header" || { echo "not PE32 i386: $header"; exit 1; }
subsystem=$(i686-w64-mingw32-objdump -p "$exe" | awk '/^Subsystem/ {print $2}')
[ "$subsystem" = 00000002 ] || { echo "subsystem $subsystem, not the GUI subsystem (2)"; exit 1; }
# IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE (0x40) and _NX_COMPAT (0x100).
characteristics=$(i686-w64-mingw32-objdump -p "$exe" | awk '/^DllCharacteristics/ {print $2}')
for bit in 40:DYNAMIC_BASE 100:NX_COMPAT; do
  if (( (16#$characteristics & 16#${bit%%:*}) == 0 )); then
    echo "DllCharacteristics $characteristics lacks ${bit#*:} (0x${bit%%:*})"
    exit 1
  fi
done
echo "DllCharacteristics: $characteristics"

status=0
while read -r dll; do
  name=$(tr 'A-Z' 'a-z' <<<"${dll%.*}")
  if grep -qw "$name" <<<"$known"; then
    echo "import: $dll"
  else
    echo "import of a DLL that is no KnownDLL: $dll"
    status=1
  fi
done < <(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')

while read -r dll function; do
  if ! grep -qw "$function" <<<"$startup_ansi"; then
    echo "import of an ANSI entry point: $dll $function"
    status=1
  fi
done < <(i686-w64-mingw32-objdump -p "$exe" |
         awk '/DLL Name:/ {dll = $3} /^\t[0-9a-f]+\t/ && $3 ~ /[a-z0-9]A$/ {print dll, $3}')
exit $status
