#!/usr/bin/env bash
# Authenticode signing of one Windows program, with osslsigncode.
#
#   sign-program.sh sign IN OUT SIGNATURE PKCS12 [options]
#       Signs IN into OUT (SHA-256) with the certificate and key of the
#       PKCS#12 file, and writes the signature alone to SIGNATURE (PKCS#7,
#       DER): what "attach" puts back on IN, without the key.
#         --description TEXT   the program's description in the signature
#         --time SECONDS       the signing time (default: SOURCE_DATE_EPOCH,
#                              else the last commit's time)
#         --timestamp URL      an RFC 3161 timestamp server (network!)
#         --password-file F    the password in a file (the tests' throw-away
#                              certificate); otherwise MORVANE_SIGN_PASSWORD
#   sign-program.sh attach IN OUT SIGNATURE
#       Puts a published signature back on IN: OUT is then the signed
#       program, byte for byte, when IN is the program that was signed.
#
# The password never appears on a command line: osslsigncode reads it from
# its standard input. With an RSA key and the same time, the same IN signs to
# the same OUT (with the same osslsigncode version); a timestamp server's
# countersignature differs from one signing to the next.
#
# Both ways, OUT with its signature removed must give IN back byte for byte
# (it does when IN has a correct PE checksum and ends on an 8-byte boundary,
# as the linker writes them): checked, and OUT is not written otherwise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "sign-program: $*" >&2; exit 1; }

[ $# -ge 4 ] || fail "usage: sign-program.sh sign IN OUT SIGNATURE PKCS12 [options] | attach IN OUT SIGNATURE"
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

signed=$work/signed.exe
case $mode in
sign)
  [ $# -ge 1 ] || fail "sign needs the PKCS#12 file"
  pkcs12=$1
  shift
  description="" time="" timestamp="" password_file=""
  while [ $# -gt 0 ]; do
    case $1 in
    --description) description=$2 ;;
    --time) time=$2 ;;
    --timestamp) timestamp=$2 ;;
    --password-file) password_file=$2 ;;
    *) fail "unknown option $1" ;;
    esac
    shift 2
  done
  if [ -z "$time" ]; then
    time=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)}
    [ -n "$time" ] || fail "no signing time: give one (MORVANE_SIGN_TIME), or SOURCE_DATE_EPOCH, or build from a git checkout"
  fi
  args=(sign -pkcs12 "$pkcs12" -h sha256 -time "$time")
  [ -z "$description" ] || args+=(-n "$description")
  [ -z "$timestamp" ] || args+=(-ts "$timestamp")
  if [ -n "$password_file" ]; then
    password=$(cat "$password_file")
  else
    password=${MORVANE_SIGN_PASSWORD:-}
  fi
  # An empty password file is an error to osslsigncode: without a password,
  # none is passed.
  if [ -n "$password" ]; then
    printf '%s' "$password" | "$tool" "${args[@]}" -readpass /dev/stdin -in "$in" -out "$signed" \
      >"$work/log" 2>&1 || { cat "$work/log" >&2; fail "signing $in failed"; }
  else
    "$tool" "${args[@]}" -in "$in" -out "$signed" >"$work/log" 2>&1 ||
      { cat "$work/log" >&2; fail "signing $in failed"; }
  fi
  unset password
  "$tool" extract-signature -in "$signed" -out "$work/extracted" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; fail "cannot extract the signature of $in"; }
  to_pkcs7 "$work/extracted" "$work/signature"
  ;;
attach)
  [ -f "$signature" ] || fail "no signature $signature"
  sigin=$signature
  if table_entry_form; then
    to_table_entry "$signature" "$work/entry"
    sigin=$work/entry
  fi
  # attach-signature verifies what it attached, and fails on a signature
  # that does not fit IN; trusting the certificates inside the signature
  # lets it judge only that, not whom the certificate names.
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
