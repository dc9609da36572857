# Test helpers for both trees.
#
#   morvane_host_test(NAME SOURCES... [LIBS libs...])
#       A native GoogleTest executable of the host tree (ASan + UBSan).
#
#   morvane_wine_test(NAME SOURCES... [LIBS libs...] [FRESH_PREFIX] [GUI]
#                     [TIMING] [WOW64] [CP1252] [WIDE_USER] [ARGS args...]
#                     [TIMEOUT seconds])
#       A Windows GoogleTest executable run under Wine. Tests that change the
#       machine (files under C:\, the registry) pass FRESH_PREFIX and get a copy
#       of the prepared prefix of their own; the others share the prepared
#       prefix and its persistent wineserver. GUI tests take the one display
#       in turn. TIMING marks a run that measures time (a wait, a benchmark):
#       it runs alone, with no other test of the run competing for the
#       processors. WOW64 runs the test a second time (as wow64.NAME) in a
#       64-bit prefix, where the 32-bit programs run as on 64-bit Windows,
#       wherever the tree's Wine makes both kinds of prefix. CP1252 runs it
#       once more (as cp1252.NAME) in a prefix whose ANSI code page is 1252,
#       as on Windows in English: the program must mean the same whatever
#       that code page, with the same expectations. WIDE_USER runs it once
#       more (as wideuser.NAME) in a prefix whose user's name code page 936
#       cannot write, so that the user's profile, desktop, programs and
#       temporary folders have no code-page-936 name either.
#
#   morvane_wine_run(NAME EXE [FRESH_PREFIX] [GUI] [TIMING] [WOW64] [CP1252]
#                    [WIDE_USER] [ARGS args...] [TIMEOUT seconds]
#                    [ENVIRONMENT VAR=value...])
#       Registers another run of an existing Windows executable (for example
#       one scenario of a driver, each in a fresh prefix, or a benchmark).
#       ENVIRONMENT is for the test bed and the test (for example
#       MORVANE_SMALL_VOLUME, tests/harness/wine-run.sh).
#
# A Windows test run in which a case called GTEST_SKIP (and none failed)
# exits 77, which CTest counts as skipped, not as passed
# (tests/wine/support/test_support.cpp). A case that may skip is given a run
# of its own (ARGS --gtest_filter=...), so that no case that ran is hidden.

include(CTest)
enable_testing()

if(MORVANE_WINDOWS)
  find_package(GTest REQUIRED CONFIG)
  set(MORVANE_WINE_RUN "${CMAKE_SOURCE_DIR}/tests/harness/wine-run.sh")
  # A kind of prefix: its test bed folder, whose wine.env (read by the test
  # bed) says which Wine makes it, of which architecture, under which locale,
  # for which user (an optional last argument; else whoever runs the tests);
  # and its fixture, KIND.start and KIND.stop. Making a prefix starts Wine
  # programs on the display: not while a GUI test moves the mouse there.
  function(morvane_wine_prefix kind dir description arch locale)
    set(user "${ARGN}")
    file(CONFIGURE OUTPUT "${dir}/wine.env" @ONLY CONTENT
         "# The Wine of this tree's ${description} (written by CMake).
MORVANE_WINE_BIN='@MORVANE_WINE_BIN@'
MORVANE_WINE_ARCH='${arch}'
MORVANE_WINE_LOCALE='${locale}'
MORVANE_WINE_USER='${user}'
")
    set(prefix_sh "${CMAKE_SOURCE_DIR}/tests/harness/wine-prefix.sh")
    add_test(NAME ${kind}.start COMMAND bash ${prefix_sh} start ${dir})
    add_test(NAME ${kind}.stop COMMAND bash ${prefix_sh} stop ${dir})
    set_tests_properties(${kind}.start PROPERTIES FIXTURES_SETUP ${kind} TIMEOUT 300
                         RESOURCE_LOCK display)
    set_tests_properties(${kind}.stop PROPERTIES FIXTURES_CLEANUP ${kind})
  endfunction()
  # The tree's own prefix (cmake/Dependencies.cmake chose the Wine), under
  # the locale whose ANSI code page is 936.
  set(MORVANE_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
  morvane_wine_prefix(wine "${MORVANE_WINE_DIR}" "tests" "${MORVANE_WINE_ARCH}" "zh_CN.UTF-8")
  # The 64-bit prefix of the WOW64 runs, beside the 32-bit one.
  if(MORVANE_WINE_WOW64)
    set(MORVANE_WOW64_DIR "${CMAKE_BINARY_DIR}/wine-wow64")
    morvane_wine_prefix(wow64 "${MORVANE_WOW64_DIR}" "WOW64 runs: 64-bit prefixes" win64
                        "zh_CN.UTF-8")
  endif()
  # The prefix of the CP1252 runs: the tree's kind of prefix, made and run
  # under a locale whose ANSI code page is 1252.
  set(MORVANE_CP1252_DIR "${CMAKE_BINARY_DIR}/wine-cp1252")
  morvane_wine_prefix(cp1252 "${MORVANE_CP1252_DIR}" "CP1252 runs: ANSI code page 1252"
                      "${MORVANE_WINE_ARCH}" "C.UTF-8")
  # The prefix of the WIDE_USER runs: the tree's kind of prefix, made and run
  # for a user whose name has a Polish, a Vietnamese and Korean letters.
  # Wine names the profile after the user when it makes the prefix.
  set(MORVANE_WIDE_USER_DIR "${CMAKE_BINARY_DIR}/wine-wideuser")
  morvane_wine_prefix(wideuser "${MORVANE_WIDE_USER_DIR}" "WIDE_USER runs: a user's name without code page 936"
                      "${MORVANE_WINE_ARCH}" "zh_CN.UTF-8" "Łukasz Nguyễn 김철수")
else()
  find_package(GTest REQUIRED)
endif()

function(morvane_host_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME host.${name} COMMAND ${name})
  set_tests_properties(host.${name} PROPERTIES TIMEOUT 120)
endfunction()

function(morvane_wine_run name exe)
  cmake_parse_arguments(T "FRESH_PREFIX;GUI;TIMING;WOW64;CP1252;WIDE_USER" "TIMEOUT" "ARGS;ENVIRONMENT"
                        ${ARGN})
  set(mode shared)
  if(T_FRESH_PREFIX)
    set(mode fresh)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set(runs "wine|${MORVANE_WINE_DIR}")
  if(T_WOW64 AND MORVANE_WINE_WOW64)
    list(APPEND runs "wow64|${MORVANE_WOW64_DIR}")
  endif()
  if(T_CP1252)
    list(APPEND runs "cp1252|${MORVANE_CP1252_DIR}")
  endif()
  if(T_WIDE_USER)
    list(APPEND runs "wideuser|${MORVANE_WIDE_USER_DIR}")
  endif()
  foreach(run IN LISTS runs)
    string(REPLACE "|" ";" run "${run}")
    list(GET run 0 kind)
    list(GET run 1 dir)
    add_test(NAME ${kind}.${name}
             COMMAND bash ${MORVANE_WINE_RUN} ${dir} ${mode} $<TARGET_FILE:${exe}> ${T_ARGS})
    set_tests_properties(${kind}.${name} PROPERTIES FIXTURES_REQUIRED ${kind}
                         TIMEOUT ${T_TIMEOUT} SKIP_RETURN_CODE 77)
    if(T_TIMING)
      set_tests_properties(${kind}.${name} PROPERTIES RUN_SERIAL TRUE)
    endif()
    if(T_ENVIRONMENT)
      set_tests_properties(${kind}.${name} PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    endif()
    if(T_GUI)
      # One desktop, one mouse: GUI tests run one at a time.
      set_tests_properties(${kind}.${name} PROPERTIES RESOURCE_LOCK display)
    endif()
  endforeach()
endfunction()

function(morvane_wine_test name)
  cmake_parse_arguments(T "FRESH_PREFIX;GUI;TIMING;WOW64;CP1252;WIDE_USER" "TIMEOUT"
                        "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} morvane_test_support GTest::gtest)
  set(options)
  foreach(option FRESH_PREFIX GUI TIMING WOW64 CP1252 WIDE_USER)
    if(T_${option})
      list(APPEND options ${option})
    endif()
  endforeach()
  set(timeout)
  if(T_TIMEOUT)
    set(timeout TIMEOUT ${T_TIMEOUT})
  endif()
  morvane_wine_run(${name} ${name} ${options} ${timeout} ARGS ${T_ARGS})
endfunction()
