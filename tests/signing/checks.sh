# Sourced by the signing tests: a scratch folder $work (removed at the end),
# and the checks, which print "ok: ..." or "FAILED: ..." with the output of
# the failed command, and count the failures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() { # description command...
  local what=$1
  shift
  if "$@" >"$work/log" 2>&1; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    sed 's/^/    /' "$work/log"
    failures=$((failures + 1))
  fi
}
fails() { ! "$@"; }
