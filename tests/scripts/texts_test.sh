#!/usr/bin/env bash
# texts_test.sh TEXTS_SCRIPT
# Turns a small text table into headers, compiles them, and checks the bytes
# that the programs would get: code page 936 for a constant, UTF-16 for a
# resource macro, also where a digit follows a character (an escape that ran
# on would swallow it); and that a table the build cannot keep stops it.
set -uo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

cat >"$work/table.txt" <<'TABLE'
# a comment
[sample]
kDigitAfter = "表1"
kLines = "第一行\r\n\"引号\"\\"
kContinued = "卸载"
  "Morvane"
[sample_rc rc]
kWideDigitAfter = "卸载A1"
kSameText = kContinued
TABLE
python3 "$script" "$work/out" "$work/table.txt" || fail "a good table is refused"
cat >"$work/probe.cpp" <<'PROBE'
#include <cstdio>
#include "texts/sample.h"
#include "texts/sample_rc.h"
template <typename T, size_t N>
void Dump(const char* name, const T (&text)[N]) {
  std::printf("%s", name);
  for (size_t i = 0; i + 1 < N; ++i) std::printf(" %x", unsigned(text[i]) & (sizeof(T) == 1 ? 0xFF : 0xFFFF));
  std::printf("\n");
}
int main() {
  Dump("digit", kDigitAfter);
  Dump("lines", kLines);
  Dump("continued", kContinued);
  Dump("wide", kWideDigitAfter);
  Dump("same", kSameText);
}
PROBE
c++ -std=c++17 -I"$work/out" "$work/probe.cpp" -o "$work/probe" || fail "the headers do not compile"
expected='digit b1 ed 31
lines b5 da d2 bb d0 d0 d a 22 d2 fd ba c5 22 5c
continued d0 b6 d4 d8 4d 6f 72 76 61 6e 65
wide 5378 8f7d 41 31
same 5378 8f7d 4d 6f 72 76 61 6e 65'
actual=$("$work/probe")
[ "$actual" = "$expected" ] || fail "bytes differ:
$actual
expected:
$expected"

refused() { # what, table text
  printf '%s\n' "$2" >"$work/bad.txt"
  if python3 "$script" "$work/bad" "$work/bad.txt" 2>"$work/why"; then
    fail "$1 is accepted"
  elif ! grep -q 'bad.txt:[0-9]' "$work/why"; then
    fail "$1: the refusal names no line: $(cat "$work/why")"
  fi
}
refused "a character without a code-page-936 form" $'[s]\nkName = "한"'
refused "a name that stands twice" $'[s]\nkName = "a"\n[t]\nkName = "b"'
refused "an unknown escape" $'[s]\nkName = "a\\x41"'
refused "a reference to no entry" $'[s]\nkName = kMissing'
refused "an entry before any section" $'kName = "a"'
[ "$failed" -eq 0 ] && echo "ok: the text table's headers hold its texts, byte for byte"
exit "$failed"
