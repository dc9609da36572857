#include "setup/uninstall_scenario.h"

#include "setup/installed_state.h"
#include "setup/setup_driver.h"
#include "support/test_support.h"
#include "texts/uninstaller.h"

bool WaitForUninstallBox(MessageBoxSeen* found, HWND except) {
  constexpr DWORD kBoxTimeoutMs = 30000;
  const std::string caption = kUninstallCaption;
  BoxWanted wanted;
  wanted.caption = caption.c_str();
  wanted.except = except;
  return WaitForMessageBox(wanted, kBoxTimeoutMs, found);
}

void UninstallScenario::SetUp() {
  ASSERT_EQ(TestArgumentCount(), 4) << "setup program, three payload files";
  setupPath_ = HostPath(TestArgument(0));
}

void UninstallScenario::Install() {
  ASSERT_EQ(InstallThroughTheWindow(setupPath_, &processes_), "");
  ASSERT_TRUE(PathExists(kUninstallerPath));
}

RunningProgram UninstallScenario::StartRegisteredUninstaller(bool inheritHandles) {
  const std::string command = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString");
  EXPECT_EQ(command, "\"" + kUninstallerPath + "\"");
  RunningProgram program = StartProgram(WideOf(command), inheritHandles);
  if (program.started) processes_.Add(program.process.hProcess);
  return program;
}
