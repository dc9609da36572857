#!/usr/bin/env bash
# make-import-control.sh PROGRAM OUT CC DLLTOOL OBJDUMP WINDRES MANIFEST
#
# Builds the control program of the planted-library test: it imports exactly
# what PROGRAM imports (the same libraries, the same functions), carries the
# same manifest, and runs no code of its own: its entry point returns 0 at
# once. Whatever it loads, the system loads for those imports before the
# program's first instruction; only what PROGRAM loads beyond that is
# PROGRAM's doing.
set -euo pipefail
export LC_ALL=C  # objdump's output is read in English
program=$1 out=$2 cc=$3 dlltool=$4 objdump=$5 windres=$6 manifest=$7
work="$out.parts"
rm -rf "$work"
mkdir -p "$work"

# "LIBRARY FUNCTION" per imported function ("LIBRARY #N" for an ordinal).
imports() {
  "$objdump" -p "$1" | awk '
    /^\tDLL Name:/ { dll = $3; next }
    /^[A-Za-z]/ { dll = "" }
    dll != "" && /^\t[0-9a-f]+\t/ {
      if ($3 == "<none>") print dll, "#" $2; else print dll, $3
    }'
}

# 32-bit Windows names C symbols with an underscore in front, and decorates
# a stdcall entry with its argument size; 64-bit Windows does neither.
if "$objdump" -f "$program" | grep -q 'file format pei-i386'; then
  label=_ slot=.long entry=_ControlEntry@4
else
  label= slot=.quad entry=ControlEntry
fi

imports "$program" >"$work/imports.txt"
[ -s "$work/imports.txt" ] || { echo "no imports read from $program" >&2; exit 1; }

# One import library per imported library, holding just those functions, and
# one reference to each import slot so that the linker keeps them all.
refs="$work/refs.s"
echo '  .section .rdata,"dr"' >"$refs"
libs=()
while read -r dll; do
  base=$(tr -c 'A-Za-z0-9_\n' '_' <<<"$dll")
  def="$work/$base.def"
  printf 'LIBRARY "%s"\nEXPORTS\n' "$dll" >"$def"
  while read -r _ function; do
    if [[ $function == \#* ]]; then
      name="${base}_ordinal_${function#\#}"
      echo "  $name @${function#\#} NONAME" >>"$def"
    else
      name=$function
      echo "  $function" >>"$def"
    fi
    echo "  $slot \"__imp_$label$name\"" >>"$refs"
  done < <(awk -v dll="$dll" '$1 == dll' "$work/imports.txt")
  "$dlltool" -d "$def" -l "$work/lib$base.a"
  libs+=("$work/lib$base.a")
done < <(awk '!seen[$1]++ { print $1 }' "$work/imports.txt")

cat >"$work/entry.c" <<'EOF'
/* The whole of the control's own code: it returns at once. */
unsigned long __attribute__((stdcall)) ControlEntry(void* peb) {
  (void)peb;
  return 0;
}
EOF
printf '1 24 "%s"\n' "$manifest" >"$work/manifest.rc"
"$windres" -O coff -o "$work/manifest.o" "$work/manifest.rc"

"$cc" -nostdlib -nostartfiles -Wl,--subsystem,windows -Wl,--entry,"$entry" \
  -Wl,--no-insert-timestamp -o "$out" "$work/entry.c" "$refs" "$work/manifest.o" "${libs[@]}"

# The control is only a control if the imports are the same.
imports "$out" >"$work/control-imports.txt"
if ! cmp -s <(sort "$work/imports.txt") <(sort "$work/control-imports.txt"); then
  echo "the control's imports differ from those of $program:" >&2
  diff <(sort "$work/imports.txt") <(sort "$work/control-imports.txt") >&2 || true
  rm -f "$out"
  exit 1
fi
