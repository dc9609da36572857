#!/bin/bash
# A stand-in osslsigncode for the release-signing test, first on PATH: it
# signs nothing and does what sign-program.sh needs of each command (the
# "signed" program is the program itself, its signature a tiny DER
# sequence). What a password file named by -readpass holds is written to
# $MORVANE_TEST_RECORDS/password-received, for the test to see that the
# password reached osslsigncode.
set -eu
command=${1:-}
in="" out="" readpass=""
while [ $# -gt 0 ]; do
  case $1 in
  -in) in=$2; shift ;;
  -out) out=$2; shift ;;
  -readpass) readpass=$2; shift ;;
  esac
  shift
done
case $command in
--version) echo "osslsigncode 2.9, using:" ;;
sign)
  [ -z "$readpass" ] || /bin/cat "$readpass" >"$MORVANE_TEST_RECORDS/password-received"
  /bin/cp "$in" "$out" ;;
extract-signature) printf '\060\202\000\010\004\006stand-' >"$out" ;;
remove-signature | attach-signature) /bin/cp "$in" "$out" ;;
*) echo "stand-in osslsigncode: $command?" >&2; exit 1 ;;
esac
