#!/usr/bin/env bash
# wine-shell-folders.sh PREFIX
#
# Wine links the user's shell folders (Desktop, Documents, Downloads, Music,
# Pictures, Videos, Templates) of a new prefix to folders of the home folder
# of whoever runs it, so that a program that puts a shortcut on the desktop
# writes there, into a folder shared by every prefix and the machine's user.
# This makes each an empty folder of the prefix instead. Wine makes these
# links when it sets a prefix up, and again only when it updates the prefix
# to another Wine (the test bed and the run command make their prefixes anew
# then).
set -euo pipefail
while IFS= read -r -d '' link; do
  rm "$link"
  mkdir "$link"
done < <(find "$1/drive_c/users" -type l -print0)
