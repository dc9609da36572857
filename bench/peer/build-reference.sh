#!/usr/bin/env bash
# build-reference.sh OUT_DIR PAYLOAD_DIR AGREEMENT_TEXT REFERENCE_ITEMS
#
# Builds the peer bench's reference installer, OUT_DIR/reference.exe, from
# reference.nsi with makensis (Debian's nsis package): the setup program's
# payload files (PAYLOAD_DIR: main-program.bin, uninstaller.bin,
# product-icon.bin, as the Windows tree copies them), its licence text
# (code page 936, as the Windows tree converts it) and what it writes, from
# its installation table by the host tree's REFERENCE_ITEMS program
# (reference_items.cpp), into OUT_DIR/items.nsh. Writes makensis's report
# to OUT_DIR/makensis.log and the bytes that the three payload files take
# in the installer, as stored (compressed), to OUT_DIR/stored-payload.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
# makensis reads the script's paths from the script's own folder.
out=$(cd "$1" && pwd) payload=$(cd "$2" && pwd) agreement=$(realpath "$3")
# NSIS reads a licence text as UTF-16 with a byte-order mark.
python3 -c '
import codecs, sys
text = open(sys.argv[1], "rb").read().decode("gbk")
open(sys.argv[2], "wb").write(codecs.BOM_UTF16_LE + text.encode("utf-16-le"))
' "$agreement" "$out/licence.txt"
"$4" "$out/items.nsh"
makensis -V4 -INPUTCHARSET UTF8 "-DPAYLOAD=$payload" "-DLICENCE=$out/licence.txt" \
  "-DITEMS=$out/items.nsh" "-DOUTFILE=$out/reference.exe" "$here/reference.nsi" \
  >"$out/makensis.log" 2>&1 ||
  { cat "$out/makensis.log" >&2; exit 1; }
# File: "main-program.bin"->"Morvane.exe" [compress] 6365/15360 bytes
sed -nE 's/^File: "(main-program|uninstaller|product-icon)\.bin".*\[compress\] ([0-9]+)\/[0-9]+ bytes$/\2/p' \
  "$out/makensis.log" | awk '{ sum += $1; n++ } END { if (n != 3) exit 1; print sum }' \
  >"$out/stored-payload" || { echo "build-reference: makensis did not report the three files" >&2; exit 1; }
