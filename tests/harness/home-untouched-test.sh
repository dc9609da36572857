#!/usr/bin/env bash
# home-untouched-test.sh WINE_DIR EXE
#
# Shows that a test that installs something (EXE makes shortcuts and
# documents through the shell) writes nothing into the home folder of whoever
# runs the tests:
# 1. No link under drive C of the prepared prefix leads out of the prefix
#    (Wine links the shell folders of a new prefix into the home folder).
# 2. EXE runs in a fresh prefix with Wine given an empty home folder, and that
#    folder is still empty afterwards (Wine's menu builder, for one, writes
#    .desktop files and menu entries into the home folder it is given).
# Together: whatever the home folder is, nothing of a test reaches it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$1 exe=$2
prepared="$dir/prepared"
status=0

while IFS= read -r -d '' link; do
  target=$(readlink -f "$link")
  case $target in
  "$prepared"/*) ;;
  *)
    echo "FAILED: ${link#"$prepared/"} leads out of the prefix, to $target"
    status=1
    ;;
  esac
done < <(find "$prepared/drive_c" -type l -print0)

home=$(mktemp -d "$dir/home.XXXXXX")
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_DESKTOP_DIR -u XDG_DOCUMENTS_DIR \
  HOME="$home" bash "$here/wine-run.sh" "$dir" fresh "$exe" || status=1
new=$(find "$home" -mindepth 1 | sed "s|^$home/||")
if [ -n "$new" ]; then
  echo "FAILED: the test wrote into the home folder:"
  echo "$new"
  status=1
fi
rm -rf "$home"
exit $status
