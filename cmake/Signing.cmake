# Authenticode signing of release builds (Windows tree), with osslsigncode.
# Unsigned is the default. One of these signs:
#
#   MORVANE_SIGN_PKCS11_MODULE   a key in a token (a hardware key), through the
#                                token's PKCS#11 module, with
#                                MORVANE_SIGN_PKCS11_KEY (the key's PKCS#11 URI
#                                or id) and MORVANE_SIGN_CERTS (the signer's
#                                certificate and the chain to its root, PEM)
#   MORVANE_SIGN_PKCS12          the certificate and its key in a PKCS#12 file
#   MORVANE_SIGNATURE_DIR        a folder of published signatures
#                                (MorvaneSetup.exe.p7s, 卸载Morvane.exe.p7s): they
#                                are put back on the programs as built, which
#                                gives the signed programs without the key, once
#                                their signer is the certificate of
#                                MORVANE_SIGNER_SHA256
#
# A key's password (the PKCS#12 file's, or the token's PIN) is in the file
# that MORVANE_SIGN_PASSWORD_FILE names, which osslsigncode alone reads: no
# process of the build has it in its environment or on its command line.
# Signing with a key asks a timestamp server for a countersignature
# (MORVANE_SIGN_TIMESTAMP_URL), so that the signature outlives its
# certificate; "none" leaves it out, for test signing.
#
# The uninstaller is signed before it is embedded, then the setup program.
# The signed programs and their signatures go to signed/ in the build folder.
set(MORVANE_SIGN_PKCS12 "" CACHE FILEPATH
    "PKCS#12 file to sign with (its password in MORVANE_SIGN_PASSWORD_FILE); empty: none")
set(MORVANE_SIGN_PKCS11_MODULE "" CACHE FILEPATH
    "PKCS#11 module of the token whose key signs (the key: MORVANE_SIGN_PKCS11_KEY); empty: none")
set(MORVANE_SIGN_PKCS11_KEY "" CACHE STRING
    "The signing key in the token: its PKCS#11 URI (pkcs11:object=...;type=private) or id")
set(MORVANE_SIGN_PKCS11_ENGINE "" CACHE FILEPATH
    "OpenSSL's PKCS#11 engine for the token; empty: the one OpenSSL finds as \"pkcs11\"")
set(MORVANE_SIGN_CERTS "" CACHE FILEPATH
    "With a token: the signer's certificate and the chain to its root, PEM")
set(MORVANE_SIGN_PASSWORD_FILE "" CACHE FILEPATH
    "File that holds the PKCS#12 password or the token's PIN, read by osslsigncode alone")
set(MORVANE_SIGNATURE_DIR "" CACHE PATH
    "Folder of published signatures to attach instead of signing; empty: none")
set(MORVANE_SIGNER_SHA256 "" CACHE STRING
    "SHA-256 fingerprint of the signer's certificate: the published signatures must be its")
set(MORVANE_SIGN_TIMESTAMP_URL "http://timestamp.digicert.com" CACHE STRING
    "RFC 3161 timestamp server for signing with a key (the build then needs the network); none: no timestamp")
set(MORVANE_SIGN_TIME "" CACHE STRING
    "Signing time in seconds since 1970; empty: SOURCE_DATE_EPOCH, else the last commit's time")

set(MORVANE_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/../scripts/sign-program.sh)
set(MORVANE_SIGN_SCRIPTS ${MORVANE_SIGN_SCRIPT} ${CMAKE_CURRENT_LIST_DIR}/../scripts/signer-sha256.py)

set(ways 0)
foreach(way MORVANE_SIGN_PKCS12 MORVANE_SIGN_PKCS11_MODULE MORVANE_SIGNATURE_DIR)
  if(${way})
    math(EXPR ways "${ways} + 1")
  endif()
endforeach()
if(ways GREATER 1)
  message(FATAL_ERROR "MORVANE_SIGN_PKCS12 and MORVANE_SIGN_PKCS11_MODULE sign, "
                      "MORVANE_SIGNATURE_DIR attaches: give one")
endif()
if(MORVANE_SIGN_PKCS11_MODULE AND NOT (MORVANE_SIGN_PKCS11_KEY AND MORVANE_SIGN_CERTS))
  message(FATAL_ERROR "MORVANE_SIGN_PKCS11_MODULE needs MORVANE_SIGN_PKCS11_KEY and "
                      "MORVANE_SIGN_CERTS (the signer's certificate and its chain)")
endif()
if(MORVANE_SIGN_PKCS12 OR MORVANE_SIGN_PKCS11_MODULE)
  # Exported, it would be in the environment of every process of the build.
  if(DEFINED ENV{MORVANE_SIGN_PASSWORD})
    message(FATAL_ERROR "MORVANE_SIGN_PASSWORD is not read, and every process of the build "
                        "would inherit it: unset it and name a file that holds the password "
                        "in MORVANE_SIGN_PASSWORD_FILE")
  endif()
  if(NOT MORVANE_SIGN_TIMESTAMP_URL)
    message(FATAL_ERROR "signing needs MORVANE_SIGN_TIMESTAMP_URL, an RFC 3161 timestamp server "
                        "(or none, for a test signature that dies with its certificate)")
  endif()
endif()
if(MORVANE_SIGNER_SHA256)
  string(REPLACE ":" "" signer_hex "${MORVANE_SIGNER_SHA256}")
  if(NOT signer_hex MATCHES "^[0-9A-Fa-f]+$")
    message(FATAL_ERROR "MORVANE_SIGNER_SHA256 is no SHA-256 fingerprint: ${MORVANE_SIGNER_SHA256}")
  endif()
  string(LENGTH "${signer_hex}" signer_length)
  if(NOT signer_length EQUAL 64)
    message(FATAL_ERROR "MORVANE_SIGNER_SHA256 is no SHA-256 fingerprint: ${MORVANE_SIGNER_SHA256}")
  endif()
elseif(MORVANE_SIGNATURE_DIR)
  message(FATAL_ERROR "MORVANE_SIGNATURE_DIR needs MORVANE_SIGNER_SHA256, the SHA-256 "
                      "fingerprint of the certificate that made the published signatures")
endif()
if(ways EQUAL 1)
  set(MORVANE_SIGNING ON)
else()
  set(MORVANE_SIGNING OFF)
endif()
set(MORVANE_SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)

# morvane_sign_program(IN file OUT file NAME name DESCRIPTION text [DEPENDS ...]
#                      [PKCS12 file PASSWORD_FILE file SIGNATURE_DIR folder
#                       TIMESTAMP url|none])
#   A custom command that makes OUT, the signed IN. NAME names the published
#   signature, NAME.p7s; DESCRIPTION is the program's in the signature. By
#   the tree's settings: signed with the key (the signature written to
#   MORVANE_SIGNED_DIR), or the signature in MORVANE_SIGNATURE_DIR attached.
#   With PKCS12 (the signing test's certificate): signed with that, its
#   password in PASSWORD_FILE, the signature written to SIGNATURE_DIR, with
#   the timestamp server TIMESTAMP.
function(morvane_sign_program)
  cmake_parse_arguments(S "" "IN;OUT;NAME;DESCRIPTION;PKCS12;PASSWORD_FILE;SIGNATURE_DIR;TIMESTAMP"
                        "DEPENDS" ${ARGN})
  set(key)
  set(options)
  set(key_files)
  if(S_PKCS12)
    set(key --pkcs12 ${S_PKCS12})
    set(key_files ${S_PKCS12})
    set(signature ${S_SIGNATURE_DIR}/${S_NAME}.p7s)
    set(password_file ${S_PASSWORD_FILE})
    set(timestamp ${S_TIMESTAMP})
  elseif(MORVANE_SIGN_PKCS12 OR MORVANE_SIGN_PKCS11_MODULE)
    if(MORVANE_SIGN_PKCS12)
      set(key --pkcs12 ${MORVANE_SIGN_PKCS12})
      set(key_files ${MORVANE_SIGN_PKCS12})
    else()
      # A PKCS#11 URI separates its attributes with semicolons, which would
      # split it into a list here.
      string(REPLACE ";" "$<SEMICOLON>" key_id "${MORVANE_SIGN_PKCS11_KEY}")
      set(key --pkcs11-module ${MORVANE_SIGN_PKCS11_MODULE} --pkcs11-key ${key_id}
              --certs ${MORVANE_SIGN_CERTS})
      set(key_files ${MORVANE_SIGN_CERTS})
      if(MORVANE_SIGN_PKCS11_ENGINE)
        list(APPEND key --pkcs11-engine ${MORVANE_SIGN_PKCS11_ENGINE})
      endif()
    endif()
    set(signature ${MORVANE_SIGNED_DIR}/${S_NAME}.p7s)
    set(password_file ${MORVANE_SIGN_PASSWORD_FILE})
    set(timestamp ${MORVANE_SIGN_TIMESTAMP_URL})
    if(MORVANE_SIGNER_SHA256)
      list(APPEND options --signer-sha256 ${MORVANE_SIGNER_SHA256})
    endif()
  endif()
  if(key)
    if(password_file)
      list(APPEND options --password-file ${password_file})
    endif()
    if(MORVANE_SIGN_TIME)
      list(APPEND options --time ${MORVANE_SIGN_TIME})
    endif()
    add_custom_command(
      OUTPUT ${S_OUT} ${signature}
      COMMAND bash ${MORVANE_SIGN_SCRIPT} sign ${S_IN} ${S_OUT} ${signature} ${key}
              --timestamp ${timestamp} --description ${S_DESCRIPTION} ${options}
      DEPENDS ${S_DEPENDS} ${S_IN} ${MORVANE_SIGN_SCRIPTS} ${key_files}
      COMMENT "Signing ${S_NAME}"
      VERBATIM)
  else()
    set(signature ${MORVANE_SIGNATURE_DIR}/${S_NAME}.p7s)
    add_custom_command(
      OUTPUT ${S_OUT}
      COMMAND bash ${MORVANE_SIGN_SCRIPT} attach ${S_IN} ${S_OUT} ${signature}
              --signer-sha256 ${MORVANE_SIGNER_SHA256}
      DEPENDS ${S_DEPENDS} ${S_IN} ${MORVANE_SIGN_SCRIPTS} ${signature}
      COMMENT "Attaching the published signature of ${S_NAME}"
      VERBATIM)
  endif()
endfunction()
