#!/usr/bin/env bash
# check-executable.sh EXE
# The setup program must be a PE32 i386 GUI executable that asks for ASLR and
# DEP, and whose import table names only KnownDLLs: Windows maps those from
# the system directory before the program's first instruction, so no DLL
# planted beside a downloaded setup program can be loaded through the import
# table. Nor does it name an ANSI entry point (a name ending in "A"): every
# text goes to Windows as UTF-16, so that the program means the same on
# every ANSI code page.
#
# Its load configuration asks for DependentLoadFlags LOAD_LIBRARY_SEARCH_SYSTEM32
# (0x800): the KnownDLLs of the import table forward some of their exports to
# libraries that are no KnownDLLs (advapi32's CryptoAPI to cryptsp.dll), which
# Windows 10 1607 and later then also load from the system directory alone.
# The functions known to forward so are not imported at all: the program
# looks them up once its own DLL search is restricted.
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
# advapi32's exports that Windows 7 and later forward to cryptsp.dll (the
# CryptoAPI) and cryptbase.dll (RtlGenRandom and the memory encryption).
forwarded="(Crypt[A-Z][A-Za-z]*|SystemFunction03[26]|SystemFunction04[01])"
while read -r dll function; do
  echo "import of a function that $dll forwards outside the KnownDLLs: $function"
  status=1
done < <(i686-w64-mingw32-objdump -p "$exe" |
         awk '/DLL Name:/ {dll = tolower($3)} dll == "advapi32.dll" && /^\t[0-9a-f]+\t/ {print dll, $3}' |
         grep -E " $forwarded\$" || true)

# The load configuration: the directory's entry (RVA, size), the record's
# own Size there, and DependentLoadFlags at offset 54 of the 32-bit record.
read -r rva size < <(i686-w64-mingw32-objdump -p "$exe" |
                     awk '/^Entry a / {print $3, $4}')
if [ "$((16#$rva))" -eq 0 ]; then
  echo "no load configuration directory"
  exit 1
fi
image_base=$(i686-w64-mingw32-objdump -p "$exe" | awk '/^ImageBase/ {print $2}')
# objdump -h: index, name, size, VMA, LMA, file offset.
offset=
while read -r section_size vma file_offset; do
  start=$((16#$vma - 16#$image_base))
  if [ $((16#$rva)) -ge $start ] && [ $((16#$rva + 64)) -le $((start + 16#$section_size)) ]; then
    offset=$((16#$file_offset + 16#$rva - start))
  fi
done < <(i686-w64-mingw32-objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $3, $4, $6}')
if [ -z "$offset" ]; then
  echo "the load configuration (RVA 0x$rva) lies in no section"
  exit 1
fi
record_size=$(od -An -tu4 -j "$offset" -N4 "$exe" | tr -d ' ')
flags=$(od -An -tx2 -j $((offset + 54)) -N2 "$exe" | tr -d ' ')
echo "load configuration: RVA 0x$rva, $((16#$size)) bytes, Size $record_size, DependentLoadFlags 0x$flags"
if [ "$record_size" -ne "$((16#$size))" ] || [ "$record_size" -lt 56 ]; then
  echo "the directory's size ($((16#$size))) and the record's ($record_size) differ or miss DependentLoadFlags"
  status=1
fi
if [ "$flags" != 0800 ]; then
  echo "DependentLoadFlags 0x$flags, not LOAD_LIBRARY_SEARCH_SYSTEM32 (0x0800)"
  status=1
fi
exit $status
