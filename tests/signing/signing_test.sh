#!/usr/bin/env bash
# signing_test.sh SIGN_SCRIPT SIGNING_TEST_DIR UNSIGNED_UNINSTALLER UNSIGNED_SETUP
#
# The signing test's build signed the uninstaller (SIGNING_TEST_DIR/payload/
# uninstaller.bin), embedded it, and signed the setup program
# (SIGNING_TEST_DIR/signed/MorvaneSetup.exe), with the throw-away certificate
# there; the signatures are in SIGNING_TEST_DIR/signed/.
set -uo pipefail
sign=$1 dir=$2
unsigned=("$3" "$4")
signed=("$dir/payload/uninstaller.bin" "$dir/signed/MorvaneSetup.exe")
names=("卸载Morvane.exe" "MorvaneSetup.exe")
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
sign_into() { # unsigned out [options...]
  local in=$1 out=$2
  shift 2
  bash "$sign" sign "$in" "$out" "$out.p7s" "$dir/signer.p12" --password-file "$dir/signer.password" \
    --description Test "$@"
}

for i in 0 1; do
  name=${names[$i]}
  check "$name verifies against the certificate's root" \
    osslsigncode verify -CAfile "$dir/ca.crt" -in "${signed[$i]}"
  check "$name does not verify against other roots" \
    fails osslsigncode verify -CAfile /etc/ssl/certs/ca-certificates.crt -in "${signed[$i]}"
  check "$name is signed with SHA-256" \
    grep -q 'Message digest algorithm *: SHA256' <(osslsigncode verify -CAfile "$dir/ca.crt" \
      -in "${signed[$i]}" 2>&1)
  osslsigncode remove-signature -in "${signed[$i]}" -out "$work/removed$i" >/dev/null 2>&1
  check "$name without its signature is the unsigned program" cmp "$work/removed$i" "${unsigned[$i]}"
  check "the published signature of $name gives the signed program back" \
    bash "$sign" attach "${unsigned[$i]}" "$work/attached$i" "$dir/signed/$name.p7s"
  check "... byte for byte" cmp "$work/attached$i" "${signed[$i]}"
done

check "the uninstaller's signature does not fit the setup program" \
  fails bash "$sign" attach "${unsigned[1]}" "$work/mismatch" "$dir/signed/${names[0]}.p7s"
check "... and nothing is written" test ! -e "$work/mismatch"

# Signing again: with an RSA key and the same time, the same bytes. The
# default time is the last commit's; SOURCE_DATE_EPOCH overrides it.
check "signing with a fixed time" sign_into "${unsigned[1]}" "$work/a" --time 1700000000
check "signing again" sign_into "${unsigned[1]}" "$work/b" --time 1700000000
check "... gives the same bytes" cmp "$work/a" "$work/b"
check "signing at another time" sign_into "${unsigned[1]}" "$work/c" --time 1700000001
check "... gives other bytes" fails cmp -s "$work/a" "$work/c"
check "signing at SOURCE_DATE_EPOCH" env SOURCE_DATE_EPOCH=1700000000 \
  bash "$sign" sign "${unsigned[1]}" "$work/d" "$work/d.p7s" "$dir/signer.p12" \
  --password-file "$dir/signer.password" --description Test
check "... is signing at that time" cmp "$work/a" "$work/d"

# A program whose length is no multiple of 8 would come back longer from
# remove-signature: it is refused.
head -c -4 "${unsigned[0]}" >"$work/short.exe"
check "a program the signature would change beyond removal is refused" \
  fails sign_into "$work/short.exe" "$work/short-signed.exe"
check "... and nothing is written" test ! -e "$work/short-signed.exe"

echo "$failures failed"
[ "$failures" -eq 0 ]
