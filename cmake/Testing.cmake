# Test helpers for both trees.
#
#   morvane_host_test(NAME SOURCES... [LIBS libs...])
#       A native GoogleTest executable of the host tree (ASan + UBSan).
#
#   morvane_wine_test(NAME SOURCES... [LIBS libs...] [FRESH_PREFIX] [GUI]
#                     [TIMING] [ARGS args...] [TIMEOUT seconds])
#       A Windows GoogleTest executable run under Wine. Tests that change the
#       machine (files under C:\, the registry) pass FRESH_PREFIX and get a copy
#       of the prepared prefix of their own; the others share the prepared
#       prefix and its persistent wineserver. TIMING marks a run that measures
#       time (a wait, a benchmark): it runs alone, with no other test of the
#       run competing for the processors.
#
#   morvane_wine_run(NAME EXE [FRESH_PREFIX] [TIMING] [ARGS args...])
#       Registers another run of an existing Windows executable (for example
#       one scenario of a driver, each in a fresh prefix, or a benchmark).

include(CTest)
enable_testing()

if(MORVANE_WINDOWS)
  find_package(GTest REQUIRED CONFIG)
  set(MORVANE_WINE_DIR "${CMAKE_BINARY_DIR}/wine")
  # The test bed reads which Wine to run from here (cmake/Dependencies.cmake).
  file(CONFIGURE OUTPUT "${MORVANE_WINE_DIR}/wine.env" @ONLY CONTENT
       "# The Wine of this tree's tests (written by CMake).
MORVANE_WINE_BIN='@MORVANE_WINE_BIN@'
MORVANE_WINE_ARCH='@MORVANE_WINE_ARCH@'
")
  set(MORVANE_WINE_RUN "${CMAKE_SOURCE_DIR}/tests/harness/wine-run.sh")
  set(_prefix_sh "${CMAKE_SOURCE_DIR}/tests/harness/wine-prefix.sh")
  add_test(NAME wine.start COMMAND bash ${_prefix_sh} start ${MORVANE_WINE_DIR})
  add_test(NAME wine.stop COMMAND bash ${_prefix_sh} stop ${MORVANE_WINE_DIR})
  set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
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
  cmake_parse_arguments(T "FRESH_PREFIX;TIMING" "TIMEOUT" "ARGS" ${ARGN})
  set(mode shared)
  if(T_FRESH_PREFIX)
    set(mode fresh)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_test(NAME wine.${name}
           COMMAND bash ${MORVANE_WINE_RUN} ${MORVANE_WINE_DIR} ${mode}
                   $<TARGET_FILE:${exe}> ${T_ARGS})
  set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine
                       TIMEOUT ${T_TIMEOUT})
  if(T_TIMING)
    set_tests_properties(wine.${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

function(morvane_wine_test name)
  cmake_parse_arguments(T "FRESH_PREFIX;GUI;TIMING" "TIMEOUT" "SOURCES;LIBS;ARGS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} morvane_test_support GTest::gtest)
  set(fresh)
  if(T_FRESH_PREFIX)
    set(fresh FRESH_PREFIX)
  endif()
  set(timing)
  if(T_TIMING)
    set(timing TIMING)
  endif()
  set(timeout)
  if(T_TIMEOUT)
    set(timeout TIMEOUT ${T_TIMEOUT})
  endif()
  morvane_wine_run(${name} ${name} ${fresh} ${timing} ${timeout} ARGS ${T_ARGS})
  if(T_GUI)
    # One desktop, one mouse: GUI tests run one at a time.
    set_tests_properties(wine.${name} PROPERTIES RESOURCE_LOCK display)
  endif()
endfunction()
