#!/usr/bin/env bash
# release_signing_test.sh
#
# The release signing as a tree configures it (cmake/Signing.cmake, built by
# tests/signing/release/), with a stand-in osslsigncode first on PATH. Every
# command that the build and the signing script start by name (bash, sh,
# python3, git, cmp, ... and osslsigncode) is a recorder in front of the real
# one, which writes down its command line and its environment: the password
# reaches osslsigncode, and no process of the build has it in its
# environment or on its command line. Release signing asks a timestamp
# server unless told "none"; the settings that would sign unsafely are
# refused when the tree is configured.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/checks.sh"

# The recorders: one per command, each writing "$name.$$" into the records.
bin=$work/bin
mkdir -p "$bin"
recorded=(bash sh python3 git cmp mv cp mkdir rm cat mktemp dirname sed tr openssl cmake ninja)
for name in "${recorded[@]}" osslsigncode; do
  if [ "$name" = osslsigncode ]; then
    real="/bin/bash $here/standin-osslsigncode.sh"
  else
    real=$(command -v "$name") || { echo "no $name"; exit 1; }
  fi
  cat >"$bin/$name" <<EOF
#!/bin/sh
{ echo "command: $name"; for a in "\$@"; do echo "argument: \$a"; done; /usr/bin/env; } \\
  >"\$MORVANE_TEST_RECORDS/$name.\$\$"
exec $real "\$@"
EOF
  chmod +x "$bin/$name"
done
export PATH="$bin:$PATH"
# What the test itself starts is recorded apart from each build's records.
export MORVANE_TEST_RECORDS=$work/records-test
/bin/mkdir -p "$MORVANE_TEST_RECORDS"

password=$(/usr/bin/openssl rand -hex 12)
printf '%s\n' "$password" >"$work/password"
printf 'MZ stand-in program\n' >"$work/program.exe"
printf 'stand-in\n' >"$work/signer.p12"
printf 'stand-in\n' >"$work/chain.pem"

# Configures and builds the release signing in a fresh folder with the given
# settings; its records go to $records.
records=
build() { # name cmake-settings...
  local name=$1
  shift
  records=$work/records-$name
  /bin/rm -rf "$records" "$work/$name"
  /bin/mkdir -p "$records"
  MORVANE_TEST_RECORDS=$records cmake -S "$here/release" -B "$work/$name" -G Ninja \
    -DMORVANE_TEST_PROGRAM="$work/program.exe" -DMORVANE_SIGN_TIME=1700000000 "$@" &&
    MORVANE_TEST_RECORDS=$records cmake --build "$work/$name"
}
# The argument lines of osslsigncode's sign calls.
sign_arguments() {
  /bin/grep -l '^argument: sign$' "$records"/osslsigncode.* | head -n1 | xargs /bin/cat |
    /bin/sed -n 's/^argument: //p'
}
has_argument_pair() { # option value
  sign_arguments | /bin/grep -A1 -x -e "$1" | /bin/grep -qx -e "$2"
}
no_timestamp() { sign_arguments | /bin/grep -qx sign && ! sign_arguments | /bin/grep -qx -e -ts; }
password_reached_osslsigncode() { [ "$(cat "$records/password-received")" = "$password" ]; }
# The password in no command line and no environment of any recorded
# process, nor in the build's files; and the records are there to look at.
password_seen_nowhere() {
  local seen
  ls "$records"/bash.* "$records"/python3.* "$records"/osslsigncode.* >/dev/null || return 1
  seen=$(/bin/grep -rlF -e "$password" "$records" "$work/$1" | /bin/grep -v /password-received$)
  [ -z "$seen" ] || { echo "the password is in: $seen"; return 1; }
}

default_server=$(/bin/sed -n 's/^set(MORVANE_SIGN_TIMESTAMP_URL "\([^"]*\)".*/\1/p' \
                 "$here/../../cmake/Signing.cmake")
check "a default timestamp server" /bin/grep -Eq '^https?://' <<<"$default_server"

check "release signing with a PKCS#12 file" \
  build pkcs12 -DMORVANE_SIGN_PKCS12="$work/signer.p12" -DMORVANE_SIGN_PASSWORD_FILE="$work/password"
check "... asks the default timestamp server" has_argument_pair -ts "$default_server"
check "... signs with the file" has_argument_pair -pkcs12 "$work/signer.p12"
check "... osslsigncode reads the password file" has_argument_pair -readpass "$work/password"
check "... and gets the password" password_reached_osslsigncode
check "... which no process of the build sees" password_seen_nowhere pkcs12
check "... and writes the signed program" test -f "$work/pkcs12/signed/MorvaneSetup.exe"

check "release signing with a key in a token" \
  build pkcs11 -DMORVANE_SIGN_PKCS11_MODULE=/usr/lib/token-module.so \
  -DMORVANE_SIGN_PKCS11_KEY="pkcs11:token=Release;object=signer;type=private" \
  -DMORVANE_SIGN_CERTS="$work/chain.pem" -DMORVANE_SIGN_PASSWORD_FILE="$work/password"
check "... signs through the token's module" has_argument_pair -pkcs11module /usr/lib/token-module.so
check "... with its key, a URI whole" has_argument_pair -key "pkcs11:token=Release;object=signer;type=private"
check "... and the certificate chain" has_argument_pair -certs "$work/chain.pem"
check "... asks the default timestamp server" has_argument_pair -ts "$default_server"
check "... and gets the PIN" password_reached_osslsigncode
check "... which no process of the build sees" password_seen_nowhere pkcs11

check "test signing, without a timestamp as said" \
  build none -DMORVANE_SIGN_PKCS12="$work/signer.p12" -DMORVANE_SIGN_TIMESTAMP_URL=none
check "... asks no timestamp server" no_timestamp

check "no timestamp server and no word on it is refused" \
  fails build empty -DMORVANE_SIGN_PKCS12="$work/signer.p12" -DMORVANE_SIGN_TIMESTAMP_URL=
build_with_password_exported() {
  MORVANE_SIGN_PASSWORD=$password build environment -DMORVANE_SIGN_PKCS12="$work/signer.p12" \
    >"$work/exported.log" 2>&1
}
check "a password in the environment is refused" fails build_with_password_exported
check "... when the tree is configured" /bin/grep -q "MORVANE_SIGN_PASSWORD is not read" "$work/exported.log"
check "a token without its key or certificates is refused" \
  fails build token -DMORVANE_SIGN_PKCS11_MODULE=/usr/lib/token-module.so
check "a PKCS#12 file and a token together are refused" \
  fails build both -DMORVANE_SIGN_PKCS12="$work/signer.p12" \
  -DMORVANE_SIGN_PKCS11_MODULE=/usr/lib/token-module.so -DMORVANE_SIGN_PKCS11_KEY=1 \
  -DMORVANE_SIGN_CERTS="$work/chain.pem"
check "published signatures without their expected signer are refused" \
  fails build attach -DMORVANE_SIGNATURE_DIR="$work"
check "an expected signer that is no SHA-256 fingerprint is refused" \
  fails build attach -DMORVANE_SIGNATURE_DIR="$work" -DMORVANE_SIGNER_SHA256=abcd

echo "$failures failed"
[ "$failures" -eq 0 ]
