#!/usr/bin/env bash
# count_results_test.sh COUNT_SCRIPT
# Runs a small CTest project whose tests pass, fail, skip themselves (exit
# 77 under SKIP_RETURN_CODE) or cannot run at all (a missing program, a
# failed fixture), and checks what the test command's counter makes of
# CTest's JUnit report: only the test that asked to skip is skipped.
set -uo pipefail
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/CMakeLists.txt" <<'PROJECT'
cmake_minimum_required(VERSION 3.20)
project(counted NONE)
enable_testing()
add_test(NAME passes COMMAND true)
add_test(NAME fails COMMAND false)
add_test(NAME skips COMMAND sh -c "exit 77")
set_tests_properties(skips PROPERTIES SKIP_RETURN_CODE 77)
add_test(NAME cannot_start COMMAND /nonexistent/program)
add_test(NAME fixture COMMAND false)
set_tests_properties(fixture PROPERTIES FIXTURES_SETUP broken)
add_test(NAME needs_fixture COMMAND true)
set_tests_properties(needs_fixture PROPERTIES FIXTURES_REQUIRED broken)
PROJECT
cmake -S "$work" -B "$work/build" >/dev/null || exit 1
ctest --test-dir "$work/build" --output-junit "$work/report.xml" >/dev/null 2>&1
actual=$(python3 "$script" "$work/report.xml")
# passed failed skipped
if [ "$actual" != "1 4 1" ]; then
  echo "FAILED: counted '$actual', not '1 4 1' (passed, failed, skipped)"
  exit 1
fi
if [ "$(python3 "$script" "$work/missing.xml")" != "0 1 0" ]; then
  echo "FAILED: a missing report is not one failure"
  exit 1
fi
echo "ok: passed, failed and skipped tests are told apart"
