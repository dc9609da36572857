#!/usr/bin/env bash
# signing_test.sh SIGN_SCRIPT SIGNING_TEST_DIR UNSIGNED_UNINSTALLER UNSIGNED_SETUP
#
# The signing test's build signed the uninstaller (SIGNING_TEST_DIR/payload/
# uninstaller.bin), embedded it, and signed the setup program
# (SIGNING_TEST_DIR/signed/MorvaneSetup.exe), with the throw-away certificate
# there; the signatures are in SIGNING_TEST_DIR/signed/. The same key also
# signs from a software token (SoftHSM), through its PKCS#11 module.
set -uo pipefail
sign=$1 dir=$2
unsigned=("$3" "$4")
signed=("$dir/payload/uninstaller.bin" "$dir/signed/MorvaneSetup.exe")
names=("卸载Morvane.exe" "MorvaneSetup.exe")
source "$(dirname "$0")/checks.sh"
sign_into() { # unsigned out [options...]
  local in=$1 out=$2
  shift 2
  bash "$sign" sign "$in" "$out" "$out.p7s" --pkcs12 "$dir/signer.p12" \
    --password-file "$dir/signer.password" --timestamp none --description Test "$@"
}
signer=$(cat "$dir/signer.sha256")
other=$(cat "$dir/other.sha256")
attach() { # unsigned out signature fingerprint
  bash "$sign" attach "$1" "$2" "$3" --signer-sha256 "$4"
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
    attach "${unsigned[$i]}" "$work/attached$i" "$dir/signed/$name.p7s" "$signer"
  check "... byte for byte" cmp "$work/attached$i" "${signed[$i]}"
done

check "the uninstaller's signature does not fit the setup program" \
  fails attach "${unsigned[1]}" "$work/mismatch" "$dir/signed/${names[0]}.p7s" "$signer"
check "... and nothing is written" test ! -e "$work/mismatch"

# A signature that fits the program but was made by another certificate
# (under the same root) is refused: the expected signer is pinned.
check "signing with another certificate" \
  bash "$sign" sign "${unsigned[1]}" "$work/other.exe" "$work/other.p7s" --pkcs12 "$dir/other.p12" \
  --password-file "$dir/signer.password" --timestamp none --time 1700000000
check "attaching its signature as the expected signer's is refused" \
  fails attach "${unsigned[1]}" "$work/other-attached" "$work/other.p7s" "$signer"
check "... and nothing is written" test ! -e "$work/other-attached"
check "attaching it as its own signer's fits" \
  attach "${unsigned[1]}" "$work/other-attached" "$work/other.p7s" "$other"
check "... openssl's form of the fingerprint too" \
  attach "${unsigned[1]}" "$work/other-attached2" "$work/other.p7s" \
  "$(sed 's/../&:/g; s/:$//' <<<"$other" | tr a-f A-F)"
check "attaching without an expected signer is refused" \
  fails bash "$sign" attach "${unsigned[1]}" "$work/unpinned" "$dir/signed/${names[1]}.p7s"
check "signing with a key other than the expected signer's is refused" \
  fails sign_into "${unsigned[1]}" "$work/wrong-key" --signer-sha256 "$other"
check "... and nothing is written" test ! -e "$work/wrong-key"
check "signing without a word on the timestamp is refused" \
  fails bash "$sign" sign "${unsigned[1]}" "$work/no-ts" "$work/no-ts.p7s" --pkcs12 "$dir/signer.p12" \
  --password-file "$dir/signer.password"
check "... and nothing is written" test ! -e "$work/no-ts"

# Signing again: with an RSA key and the same time, the same bytes. The
# default time is the last commit's; SOURCE_DATE_EPOCH overrides it.
check "signing with a fixed time" sign_into "${unsigned[1]}" "$work/a" --time 1700000000
check "signing again" sign_into "${unsigned[1]}" "$work/b" --time 1700000000
check "... gives the same bytes" cmp "$work/a" "$work/b"
check "signing at another time" sign_into "${unsigned[1]}" "$work/c" --time 1700000001
check "... gives other bytes" fails cmp -s "$work/a" "$work/c"
check "signing at SOURCE_DATE_EPOCH" env SOURCE_DATE_EPOCH=1700000000 \
  bash "$sign" sign "${unsigned[1]}" "$work/d" "$work/d.p7s" --pkcs12 "$dir/signer.p12" \
  --password-file "$dir/signer.password" --timestamp none --description Test
check "... is signing at that time" cmp "$work/a" "$work/d"
check "the expected signer's key signs" sign_into "${unsigned[1]}" "$work/e" --time 1700000000 \
  --signer-sha256 "$signer"

# The same key in a token: a SoftHSM token of this run's own, the key put in
# with softhsm2-util, the certificate and its chain beside it. An RSA
# signature is the same whoever holds the key.
export SOFTHSM2_CONF=$work/softhsm2.conf
mkdir "$work/tokens"
printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' \
  "$work/tokens" >"$SOFTHSM2_CONF"
pin=$(openssl rand -hex 8)
printf '%s\n' "$pin" >"$work/pin"
check "a software token" softhsm2-util --init-token --free --label morvane-test --pin "$pin" \
  --so-pin "$(openssl rand -hex 8)"
check "... holding the signer's key" softhsm2-util --import "$dir/signer.key" --token morvane-test \
  --label signer --id 01 --pin "$pin"
sign_with_token() { # out [options...]
  local out=$1
  shift
  bash "$sign" sign "${unsigned[1]}" "$out" "$out.p7s" \
    --pkcs11-module /usr/lib/softhsm/libsofthsm2.so \
    --pkcs11-key "pkcs11:token=morvane-test;object=signer;type=private" \
    --certs "$dir/signer-chain.pem" --password-file "$work/pin" --timestamp none \
    --description Test --time 1700000000 "$@"
}
check "signing with the token's key" sign_with_token "$work/token.exe" --signer-sha256 "$signer"
check "... gives the bytes of the PKCS#12 file's key" cmp "$work/a" "$work/token.exe"
check "... which verify against the root" osslsigncode verify -CAfile "$dir/ca.crt" \
  -in "$work/token.exe"
printf 'wrong\n' >"$work/pin"
check "a wrong PIN signs nothing" fails sign_with_token "$work/token-wrong.exe"
check "... and nothing is written" test ! -e "$work/token-wrong.exe"

# A program whose length is no multiple of 8 would come back longer from
# remove-signature: it is refused.
head -c -4 "${unsigned[0]}" >"$work/short.exe"
check "a program the signature would change beyond removal is refused" \
  fails sign_into "$work/short.exe" "$work/short-signed.exe"
check "... and nothing is written" test ! -e "$work/short-signed.exe"

echo "$failures failed"
[ "$failures" -eq 0 ]
