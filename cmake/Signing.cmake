# Authenticode signing of release builds (Windows tree), with osslsigncode.
# Unsigned is the default. Either setting signs:
#
#   MORVANE_SIGN_PKCS12      the code-signing certificate and its key, a
#                            PKCS#12 file; its password comes from the
#                            environment of the build (MORVANE_SIGN_PASSWORD)
#   MORVANE_SIGNATURE_DIR    a folder of published signatures
#                            (MorvaneSetup.exe.p7s, 卸载Morvane.exe.p7s): they
#                            are put back on the programs as built, which
#                            gives the signed programs without the key
#
# The uninstaller is signed before it is embedded, then the setup program.
# The signed programs and their signatures go to signed/ in the build folder.
set(MORVANE_SIGN_PKCS12 "" CACHE FILEPATH
    "PKCS#12 file to sign with (password in MORVANE_SIGN_PASSWORD); empty: unsigned")
set(MORVANE_SIGNATURE_DIR "" CACHE PATH
    "Folder of published signatures to attach instead of signing; empty: none")
set(MORVANE_SIGN_TIMESTAMP_URL "" CACHE STRING
    "RFC 3161 timestamp server for signing (the build then needs the network); empty: none")
set(MORVANE_SIGN_TIME "" CACHE STRING
    "Signing time in seconds since 1970; empty: SOURCE_DATE_EPOCH, else the last commit's time")

if(MORVANE_SIGN_PKCS12 AND MORVANE_SIGNATURE_DIR)
  message(FATAL_ERROR "MORVANE_SIGN_PKCS12 signs, MORVANE_SIGNATURE_DIR attaches: give one")
endif()
if(MORVANE_SIGN_PKCS12 OR MORVANE_SIGNATURE_DIR)
  set(MORVANE_SIGNING ON)
else()
  set(MORVANE_SIGNING OFF)
endif()
set(MORVANE_SIGNED_DIR ${CMAKE_BINARY_DIR}/signed)

# morvane_sign_program(IN file OUT file NAME name DESCRIPTION text [DEPENDS ...]
#                      [PKCS12 file PASSWORD_FILE file SIGNATURE_DIR folder])
#   A custom command that makes OUT, the signed IN. NAME names the published
#   signature, NAME.p7s; DESCRIPTION is the program's in the signature. By the tree's settings: signed with
#   MORVANE_SIGN_PKCS12 (the signature written to MORVANE_SIGNED_DIR), or
#   the signature in MORVANE_SIGNATURE_DIR attached. With PKCS12 (the
#   signing test's certificate): signed with that, its password in
#   PASSWORD_FILE, the signature written to SIGNATURE_DIR.
function(morvane_sign_program)
  cmake_parse_arguments(S "" "IN;OUT;NAME;DESCRIPTION;PKCS12;PASSWORD_FILE;SIGNATURE_DIR" "DEPENDS" ${ARGN})
  set(script ${PROJECT_SOURCE_DIR}/scripts/sign-program.sh)
  set(options)
  if(S_PKCS12)
    set(pkcs12 ${S_PKCS12})
    set(signature ${S_SIGNATURE_DIR}/${S_NAME}.p7s)
    list(APPEND options --password-file ${S_PASSWORD_FILE})
  elseif(MORVANE_SIGN_PKCS12)
    set(pkcs12 ${MORVANE_SIGN_PKCS12})
    set(signature ${MORVANE_SIGNED_DIR}/${S_NAME}.p7s)
  endif()
  if(pkcs12)
    if(MORVANE_SIGN_TIME)
      list(APPEND options --time ${MORVANE_SIGN_TIME})
    endif()
    if(MORVANE_SIGN_TIMESTAMP_URL AND NOT S_PKCS12)
      list(APPEND options --timestamp ${MORVANE_SIGN_TIMESTAMP_URL})
    endif()
    add_custom_command(
      OUTPUT ${S_OUT} ${signature}
      COMMAND bash ${script} sign ${S_IN} ${S_OUT} ${signature} ${pkcs12}
              --description ${S_DESCRIPTION} ${options}
      DEPENDS ${S_DEPENDS} ${S_IN} ${script} ${pkcs12}
      COMMENT "Signing ${S_NAME}"
      VERBATIM)
  else()
    set(signature ${MORVANE_SIGNATURE_DIR}/${S_NAME}.p7s)
    add_custom_command(
      OUTPUT ${S_OUT}
      COMMAND bash ${script} attach ${S_IN} ${S_OUT} ${signature}
      DEPENDS ${S_DEPENDS} ${S_IN} ${script} ${signature}
      COMMENT "Attaching the published signature of ${S_NAME}"
      VERBATIM)
  endif()
endfunction()
