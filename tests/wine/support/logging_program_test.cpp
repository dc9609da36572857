#include "support/logging_program_test.h"

#include "support/test_support.h"

void LoggingProgramTest::TearDown() {
  DWORD code = 0;
  if (IsRunning(program_)) WaitForExit(&program_, 1, &code);
  if (HasFailure())
    for (const std::string& line : log_.Lines()) ADD_FAILURE() << "logged: " << line;
}

std::string LoggingProgramTest::NewLog(const char* folderName) {
  log_ = LogFile(MakeScratchFolder(folderName) + "\\log.txt");
  return log_.Path();
}

void LoggingProgramTest::StartTestProgram(const std::string& arguments) {
  program_ = StartProgram("\"" + HostPath(TestArgument(0)) + "\" " + arguments);
  ASSERT_TRUE(program_.started);
}

DWORD LoggingProgramTest::ExitCode() {
  DWORD code = 12345;
  EXPECT_TRUE(WaitForExit(&program_, kGiveUpMs, &code)) << "the program did not end";
  return code;
}
