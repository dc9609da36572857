# The environment of every Wine process of the test bed. Sourced, with the
# Windows tree's wine.env as argument when there is one (written by CMake: which
# Wine runs the tests, which kind of prefix it makes, under which locale and
# for which user); without it, the caller's MORVANE_WINE_BIN,
# MORVANE_WINE_ARCH, MORVANE_WINE_LOCALE and MORVANE_WINE_USER count.
if [ -n "${1:-}" ]; then
  source "$1"
fi
if [ -n "${MORVANE_WINE_BIN:-}" ]; then
  export PATH="$MORVANE_WINE_BIN:$PATH"
fi
# Debian's wine32 makes a 32-bit prefix when asked to. A Wine of the new WoW64
# mode makes 64-bit prefixes only, where the 32-bit programs run as on 64-bit
# Windows (system32 is their 32-bit system folder, HKLM\Software their
# 32-bit view of the registry).
if [ "${MORVANE_WINE_ARCH:-win32}" = win32 ]; then
  export WINEARCH=win32
else
  unset WINEARCH
fi
# Wine takes its ANSI code page from the Unix locale of each process:
# zh_CN.UTF-8 gives 936, the Simplified Chinese Windows; C.UTF-8 (the cp1252
# runs) gives 1252, as on Windows in English or a Western European language.
export LANG=${MORVANE_WINE_LOCALE:-zh_CN.UTF-8}
export LC_ALL=$LANG
# Wine names the profile of a new prefix after USER, and every process finds
# its profile by it: the prefix of the wideuser runs is made and run for a
# user whose name code page 936 cannot write.
if [ -n "${MORVANE_WINE_USER:-}" ]; then
  export USER=$MORVANE_WINE_USER LOGNAME=$MORVANE_WINE_USER
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts; nothing of ours needs them. No menu
# builder either: whenever a program makes a shortcut, it writes .desktop
# files and menu entries into the home folder of whoever runs the tests.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
