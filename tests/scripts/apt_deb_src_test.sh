#!/usr/bin/env bash
# apt_deb_src_test.sh SCRIPT CASES_DIR
# Runs the deb-src extraction on each case of CASES_DIR (its sources/ files,
# in name order, for the release bookworm) and compares what it prints with
# the case's expected file.
set -uo pipefail
script=$1 cases=$2
failed=0
for case_dir in "$cases"/*/; do
  name=$(basename "$case_dir")
  actual=$(bash "$script" bookworm "$case_dir"sources/*)
  if diff -u "$case_dir/expected" <(printf '%s' "$actual${actual:+$'\n'}") >/dev/null; then
    echo "ok: $name"
  else
    echo "FAILED: $name"
    diff -u --label expected --label actual "$case_dir/expected" \
      <(printf '%s' "$actual${actual:+$'\n'}")
    failed=1
  fi
done
# No files at all: nothing to say.
if [ -n "$(bash "$script" bookworm)" ]; then
  echo "FAILED: no files"
  failed=1
fi
exit $failed
