// What the uninstall scenarios share: a machine installed through the setup
// program's window (the scenario's first argument), the uninstall entry's
// command line started as the list of installed programs starts it, and the
// uninstaller's message boxes waited for.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/gui_driver.h"

constexpr DWORD kUninstallExitTimeoutMs = 30000;

// Waits for a message box of any process with the uninstaller's caption, but
// `except`: the first phase's, or its copy's.
bool WaitForUninstallBox(MessageBoxSeen* found, HWND except = nullptr);

class UninstallScenario : public testing::Test {
 protected:
  // Arguments: the setup program, then the three payload files it carries.
  void SetUp() override;
  // The whole installation through the setup program's window.
  void Install();
  // The uninstall entry's command line, started; with `inheritHandles`,
  // with this process's inheritable handles handed on (none but those the
  // scenario makes).
  RunningProgram StartRegisteredUninstaller(bool inheritHandles = false);

  std::string setupPath_;
  ProgramsToEnd processes_;  // ended at the end of the scenario
};
