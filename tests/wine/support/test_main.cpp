// The main function of every Windows test: GoogleTest's, with the test's own
// arguments kept for TestArgument, OLE initialised as the frame does it, and
// the exit code that tells a skipped run from a passed one.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace {
std::vector<std::string> g_arguments;
}

int TestArgumentCount() { return int(g_arguments.size()); }
const char* TestArgument(int index) { return g_arguments.at(index).c_str(); }

// The frame initialises OLE on the user-interface thread before anything
// else; so do the tests.
int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) g_arguments.push_back(argv[i]);
  OleInitialize(nullptr);
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  // A filter that names no case (a scenario renamed in one place only)
  // must not pass for a test that ran.
  if (testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    printf("no test case matches the filter\n");
    return 1;
  }
  // A run in which a case skipped and none failed counts as skipped, not as
  // passed (CTest's SKIP_RETURN_CODE, cmake/Testing.cmake). A case that may
  // skip therefore runs as a CTest test of its own, so that its skip hides
  // no case that ran.
  if (result == 0 && testing::UnitTest::GetInstance()->skipped_test_count() > 0)
    return kSkippedExitCode;
  return result;
}
