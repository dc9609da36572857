# Converts the licence agreement from its UTF-8 source to the form the
# program shows: code page 936, lines separated by CR LF, no line end after
# the last line.
#
#   cmake -DIN=agreement.txt -DOUT=agreement.cp936.txt -P convert.cmake
#
# Fails, and leaves no output, if a character has no code-page-936 form.

if(NOT IN OR NOT OUT)
  message(FATAL_ERROR "usage: cmake -DIN=<utf-8 text> -DOUT=<cp936 text> -P convert.cmake")
endif()
find_program(ICONV iconv REQUIRED)

file(READ "${IN}" text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REGEX REPLACE "\n+$" "" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")

set(crlf "${OUT}.utf8")
file(WRITE "${crlf}" "${text}")
execute_process(
  COMMAND "${ICONV}" -f UTF-8 -t CP936 "${crlf}"
  OUTPUT_FILE "${OUT}"
  ERROR_VARIABLE error
  RESULT_VARIABLE rc)
file(REMOVE "${crlf}")
if(NOT rc EQUAL 0)
  file(REMOVE "${OUT}")
  message(FATAL_ERROR "${IN} does not convert to code page 936: ${error}")
endif()
