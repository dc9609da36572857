#!/usr/bin/env bash
# Authenticode signing of one Windows program, with osslsigncode.
#
#   sign-program.sh sign IN OUT SIGNATURE KEY [options]
#       Signs IN into OUT (SHA-256) and writes the signature alone to
#       SIGNATURE (PKCS#7, DER): what "attach" puts back on IN, without the
#       key. KEY is one of
#         --pkcs12 FILE          the certificate and its key in a PKCS#12 file
#         --pkcs11-module MODULE --pkcs11-key ID --certs FILE
#                                a key in a token (a hardware key) through its
#                                PKCS#11 module: the key's PKCS#11 URI or id,
#                                and the signer's certificate with the chain
#                                to its root (PEM)
#           [--pkcs11-engine ENGINE]  OpenSSL's PKCS#11 engine (default: the
#                                one OpenSSL finds by the name "pkcs11")
#       options:
#         --timestamp URL|none   an RFC 3161 timestamp server (network!), or
#                                "none": a signature that dies with its
#                                certificate, for test signing. Required.
#         --password-file F      the PKCS#12 file's password or the token's PIN
#         --description TEXT     the program's description in the signature
#         --time SECONDS         the signing time (default: SOURCE_DATE_EPOCH,
#                                else the last commit's time)
#         --signer-sha256 HEX    the certificate that must have signed
#   sign-program.sh attach IN OUT SIGNATURE --signer-sha256 HEX
#       Puts a published signature back on IN: OUT is then the signed
#       program, byte for byte, when IN is the program that was signed and
#       the signer is the certificate of that SHA-256 fingerprint.
#
# The password reaches osslsigncode alone, which reads the file itself
# (-readpass): no command line and no environment holds it. With an RSA key
# and the same time, the same IN signs to the same OUT (with the same
# osslsigncode version, whether the key is in a PKCS#12 file or a token); a
# timestamp server's countersignature differs from one signing to the next.
#
# Both ways, OUT with its signature removed must give IN back byte for byte
# (it does when IN has a correct PE checksum and ends on an 8-byte boundary,
# as the linker writes them): checked, and OUT is not written otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "sign-program: $*" >&2; exit 1; }

[ $# -ge 4 ] || fail "usage: sign-program.sh sign IN OUT SIGNATURE KEY [options] | attach IN OUT SIGNATURE --signer-sha256 HEX"
mode=$1 in=$2 out=$3 signature=$4
shift 4
tool=$(command -v osslsigncode) || fail "osslsigncode is not installed (scripts/bootstrap.sh installs it)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# osslsigncode 2.5 (Debian 12) extracts and attaches the whole certificate
# table entry (WIN_CERTIFICATE: length, revision 0x0200, type 2, the PKCS#7
# bytes, padding to 8 bytes); 2.9 the PKCS#7 bytes alone, and the versions
# between are taken to do as 2.9. The published form is the PKCS#7 bytes,
# whichever version made them.
table_entry_form() {
  local version
  version=$("$tool" --version 2>/dev/null | sed -n '1s/^osslsigncode \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
  [ -n "$version" ] || fail "cannot tell the version of $tool"
  set -- $version
  [ "$1" -lt 2 ] || { [ "$1" -eq 2 ] && [ "$2" -le 5 ]; }
}
to_pkcs7() { # extracted file -> PKCS#7 DER
  python3 - "$1" "$2" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
# A WIN_CERTIFICATE: its length, revision 0x0200, type 2 (PKCS#7).
length, revision, kind = struct.unpack_from('<IHH', data)
if revision == 0x0200 and kind == 2 and 8 < length <= len(data):
    data = data[8:length]
# DER: SEQUENCE with a long-form length; what follows is padding.
if data[0] != 0x30 or not data[1] & 0x80:
    sys.exit('not a PKCS#7 signature')
count = data[1] & 0x7F
size = 2 + count + int.from_bytes(data[2:2 + count], 'big')
open(sys.argv[2], 'wb').write(data[:size])
EOF
}
to_table_entry() { # PKCS#7 DER -> WIN_CERTIFICATE
  python3 - "$1" "$2" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
length = 8 + len(data)
entry = struct.pack('<IHH', length, 0x0200, 2) + data
open(sys.argv[2], 'wb').write(entry + b'\0' * (-len(entry) % 8))
EOF
}

# "AB:CD:..." (openssl's form) or "abcd...": 64 hexadecimal digits.
fingerprint_of() {
  local hex
  hex=$(tr -d ': ' <<<"$1" | tr 'A-F' 'a-f')
  [[ $hex =~ ^[0-9a-f]{64}$ ]] || fail "not a SHA-256 fingerprint: $1"
  echo "$hex"
}
check_signer() { # PKCS#7 DER, expected fingerprint (empty: any)
  local actual
  [ -n "$2" ] || return 0
  actual=$(python3 "$root/scripts/signer-sha256.py" "$1") || fail "cannot tell the signer of $1"
  [ "$actual" = "$2" ] || fail "signed by the certificate $actual, not the expected $2"
}

signed=$work/signed.exe
case $mode in
sign)
  key=() description="" time="" timestamp="" password_file="" signer=""
  pkcs11_module="" pkcs11_key="" certs="" pkcs11_engine=""
  while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || fail "$1 needs a value"
    case $1 in
    --pkcs12) key=(-pkcs12 "$2") ;;
    --pkcs11-module) pkcs11_module=$2 ;;
    --pkcs11-key) pkcs11_key=$2 ;;
    --pkcs11-engine) pkcs11_engine=$2 ;;
    --certs) certs=$2 ;;
    --description) description=$2 ;;
    --time) time=$2 ;;
    --timestamp) timestamp=$2 ;;
    --password-file) password_file=$2 ;;
    --signer-sha256) signer=$(fingerprint_of "$2") ;;
    *) fail "unknown option $1" ;;
    esac
    shift 2
  done
  if [ -n "$pkcs11_module" ]; then
    [ ${#key[@]} -eq 0 ] || fail "--pkcs12 or --pkcs11-module: give one"
    [ -n "$pkcs11_key" ] && [ -n "$certs" ] || fail "--pkcs11-module needs --pkcs11-key and --certs"
    key=(-pkcs11module "$pkcs11_module" -key "$pkcs11_key" -certs "$certs")
    [ -z "$pkcs11_engine" ] || key=(-pkcs11engine "$pkcs11_engine" "${key[@]}")
  fi
  [ ${#key[@]} -gt 0 ] || fail "sign needs a key: --pkcs12 FILE or --pkcs11-module MODULE"
  # Without a timestamp a signature is void once its certificate expires or
  # is revoked: leaving it out is said, never assumed.
  [ -n "$timestamp" ] || fail "sign needs --timestamp URL (or none, for test signing)"
  if [ -z "$time" ]; then
    time=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
    [ -n "$time" ] || fail "no signing time: give one (MORVANE_SIGN_TIME), or SOURCE_DATE_EPOCH, or build from a git checkout"
  fi
  args=(sign "${key[@]}" -h sha256 -time "$time")
  [ -z "$description" ] || args+=(-n "$description")
  [ "$timestamp" = none ] || args+=(-ts "$timestamp")
  if [ -n "$password_file" ]; then
    [ -f "$password_file" ] || fail "no password file $password_file"
    # An empty password file is an error to osslsigncode: without a
    # password, none is passed.
    [ ! -s "$password_file" ] || args+=(-readpass "$password_file")
  fi
  "$tool" "${args[@]}" -in "$in" -out "$signed" >"$work/log" 2>&1 </dev/null ||
    { cat "$work/log" >&2; fail "signing $in failed"; }
  "$tool" extract-signature -in "$signed" -out "$work/extracted" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; fail "cannot extract the signature of $in"; }
  to_pkcs7 "$work/extracted" "$work/signature"
  check_signer "$work/signature" "$signer"
  ;;
attach)
  [ $# -eq 2 ] && [ "$1" = --signer-sha256 ] ||
    fail "attach needs --signer-sha256 HEX, the certificate that must have signed"
  signer=$(fingerprint_of "$2")
  [ -f "$signature" ] || fail "no signature $signature"
  check_signer "$signature" "$signer"
  sigin=$signature
  if table_entry_form; then
    to_table_entry "$signature" "$work/entry"
    sigin=$work/entry
  fi
  # attach-signature verifies what it attached, and fails on a signature
  # that does not fit IN; trusting the certificates inside the signature
  # lets it judge only that. Whom the signer is, the fingerprint says.
  openssl pkcs7 -inform DER -in "$signature" -print_certs -out "$work/trust.pem" 2>/dev/null ||
    fail "$signature is not a PKCS#7 signature"
  [ ! -f /etc/ssl/certs/ca-certificates.crt ] || cat /etc/ssl/certs/ca-certificates.crt >>"$work/trust.pem"
  "$tool" attach-signature -sigin "$sigin" -CAfile "$work/trust.pem" -TSA-CAfile "$work/trust.pem" \
    -in "$in" -out "$signed" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; fail "the signature $signature does not fit $in"; }
  ;;
*) fail "unknown mode $mode" ;;
esac

"$tool" remove-signature -in "$signed" -out "$work/unsigned.exe" >"$work/log" 2>&1 ||
  { cat "$work/log" >&2; fail "cannot remove the signature again"; }
cmp -s "$work/unsigned.exe" "$in" ||
  fail "$in without its new signature is not $in byte for byte (a PE checksum or file length the signature changes)"

mkdir -p "$(dirname "$out")"
if [ "$mode" = sign ]; then
  mkdir -p "$(dirname "$signature")"
  mv "$work/signature" "$signature"
fi
mv "$signed" "$out"
