// The payload stand-ins log how they were started, so that tests of the
// registered commands can prove what a command line really starts.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/real_input.h"
#include "support/test_support.h"

namespace {

// Starts `commandLine` with the stand-in's log folder set and, with `quit`,
// the request to end after logging; returns the process handle or null.
HANDLE Start(const std::string& commandLine, const std::string& logFolder, bool quit) {
  SetEnvironmentVariableA("MORVANE_STANDIN_LOG", logFolder.c_str());
  SetEnvironmentVariableA("MORVANE_STANDIN_QUIT", quit ? "1" : nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  std::string line = commandLine;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

TEST(Standin, LogsEachCommandLineAsReceived) {
  ASSERT_EQ(TestArgumentCount(), 1);
  const std::string program = HostPath(TestArgument(0));
  const std::string folder = MakeScratchFolder("standin");

  const std::string first = "\"" + program + "\" \"C:\\some folder\\a file.txt\"";
  const std::string second = "\"" + program + "\" plain";
  for (const std::string& line : {first, second}) {
    HANDLE process = Start(line, folder, true);
    ASSERT_NE(process, nullptr);
    ASSERT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
    CloseHandle(process);
  }
  std::string log;
  ASSERT_TRUE(ReadWholeFile(folder + "\\standin.log", &log));
  EXPECT_EQ(log, first + "\r\n" + second + "\r\n");
  RemoveTree(folder);
}

TEST(Standin, ShowsAWindowTitledWithTheProductName) {
  const std::string folder = MakeScratchFolder("standin-window");
  HANDLE process = Start("\"" + HostPath(TestArgument(0)) + "\" shown", folder, false);
  ASSERT_NE(process, nullptr);
  HWND window = nullptr;
  WaitUntil([&] { return (window = FindWindowA("MorvaneStandin", "Morvane")) != nullptr; });
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process, 20000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(process, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(process);
  RemoveTree(folder);
}

}  // namespace
