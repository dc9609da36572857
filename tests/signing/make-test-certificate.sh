#!/usr/bin/env bash
# make-test-certificate.sh FOLDER
#
# A throw-away code-signing certificate for the signing test, made offline
# with openssl: a root (ca.crt) and a signer whose certificate is for code
# signing only, both RSA 2048, in signer.p12 (with the root) under the
# random password in signer.password.
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
openssl req -newkey rsa:2048 -nodes -keyout "$work/signer.key" -out "$work/signer.csr" \
  -config "$work/openssl.cnf" 2>/dev/null
openssl x509 -req -in "$work/signer.csr" -CA "$work/ca.crt" -CAkey "$work/root.key" \
  -CAcreateserial -days 3650 -extfile "$work/openssl.cnf" -extensions signer \
  -out "$work/signer.crt" 2>/dev/null
MORVANE_TEST_PASSWORD=$(openssl rand -hex 16)
export MORVANE_TEST_PASSWORD
openssl pkcs12 -export -inkey "$work/signer.key" -in "$work/signer.crt" -certfile "$work/ca.crt" \
  -out "$work/signer.p12" -passout env:MORVANE_TEST_PASSWORD
printf '%s' "$MORVANE_TEST_PASSWORD" >"$work/signer.password"
mv "$work/ca.crt" "$work/signer.p12" "$work/signer.password" "$out/"
