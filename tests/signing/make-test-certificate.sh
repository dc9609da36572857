#!/usr/bin/env bash
# make-test-certificate.sh FOLDER
#
# Throw-away code-signing certificates for the signing test, made offline
# with openssl: a root (ca.crt) and two signers under it whose certificates
# are for code signing only, all RSA 2048. The signer's certificate and key
# are in signer.p12 (with the root) under the random password in
# signer.password, its key alone in signer.key (PKCS#8, for a token), its
# certificate and the root in signer-chain.pem, the certificate's SHA-256
# fingerprint in signer.sha256. The other signer's are other.p12 (the same
# password) and other.sha256.
set -euo pipefail
out=$1
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/openssl.cnf" <<'CNF'
[req]
distinguished_name = dn
prompt = no
[dn]
CN = Morvane test signer
[root]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
[signer]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
CNF
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/root.key" -out "$work/ca.crt" \
  -days 3650 -subj "/CN=Morvane test root" -config "$work/openssl.cnf" -extensions root 2>/dev/null
MORVANE_TEST_PASSWORD=$(openssl rand -hex 16)
export MORVANE_TEST_PASSWORD
for signer in signer other; do
  openssl req -newkey rsa:2048 -nodes -keyout "$work/$signer.key" -out "$work/$signer.csr" \
    -config "$work/openssl.cnf" 2>/dev/null
  openssl x509 -req -in "$work/$signer.csr" -CA "$work/ca.crt" -CAkey "$work/root.key" \
    -CAcreateserial -days 3650 -extfile "$work/openssl.cnf" -extensions signer \
    -out "$work/$signer.crt" 2>/dev/null
  openssl pkcs12 -export -inkey "$work/$signer.key" -in "$work/$signer.crt" \
    -certfile "$work/ca.crt" -out "$work/$signer.p12" -passout env:MORVANE_TEST_PASSWORD
  openssl x509 -in "$work/$signer.crt" -noout -fingerprint -sha256 |
    sed 's/.*=//; s/://g' | tr 'A-F' 'a-f' >"$work/$signer.sha256"
done
openssl pkcs8 -topk8 -nocrypt -in "$work/signer.key" -out "$work/signer.pkcs8"
cat "$work/signer.crt" "$work/ca.crt" >"$work/signer-chain.pem"
printf '%s' "$MORVANE_TEST_PASSWORD" >"$work/signer.password"
mv "$work/signer.pkcs8" "$out/signer.key"
mv "$work/ca.crt" "$work/signer.p12" "$work/signer.password" "$work/signer-chain.pem" \
  "$work/signer.sha256" "$work/other.p12" "$work/other.sha256" "$out/"
