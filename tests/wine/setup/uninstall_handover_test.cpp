// The hand-over between the uninstaller's two phases, from end to end: the
// process that the uninstall entry starts ends only once the removal is
// over, with its exit code, and its copy takes nothing from a command line
// that no first phase of ours gave it, and inherits nothing but what it
// needs. Each scenario on a machine of its own, installed through the setup
// program's window.
//
// Arguments: the setup program, then the three payload files it carries
// (main program, uninstaller, icon), as Unix paths of the build.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/installed_state.h"
#include "setup/setup_driver.h"
#include "setup/uninstall_scenario.h"
#include "support/test_support.h"
#include "texts/uninstaller.h"

namespace {

constexpr DWORD kExitTimeoutMs = kUninstallExitTimeoutMs;
constexpr DWORD kRefusedExitCode = ERROR_INVALID_PARAMETER;

std::wstring Number(HANDLE handle) { return std::to_wstring(uintptr_t(handle)); }

// Which file a handle is open on, as the file system names it.
bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION first, second;
  return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

// Whether the process holds the handle `value` open on the same file as
// `file`: an inherited handle has the same value in the child.
bool HoldsFile(HANDLE process, HANDLE value, HANDLE file) {
  HANDLE mine = nullptr;
  if (!DuplicateHandle(process, value, GetCurrentProcess(), &mine, 0, FALSE, DUPLICATE_SAME_ACCESS))
    return false;
  const bool same = SameFile(mine, file);
  CloseHandle(mine);
  return same;
}

bool UninstallBoxShown() {
  const std::string caption = kUninstallCaption;
  BoxWanted wanted;
  wanted.caption = caption.c_str();
  MessageBoxSeen seen;
  return FindMessageBox(wanted, &seen);
}

class Handover : public UninstallScenario {
 protected:
  // Answers the question with Yes and waits for the final box, which the
  // started process itself shows while it still runs; its copy (the one
  // process it started), which is still there then.
  void ReachTheFinalBox(const RunningProgram& program, MessageBoxSeen* final, HANDLE* copy) {
    ASSERT_TRUE(program.started);
    MessageBoxSeen question;
    ASSERT_TRUE(WaitForUninstallBox(&question)) << "no question";
    ASSERT_EQ(question.processId, program.process.dwProcessId);
    const std::vector<DWORD> before = ChildProcessIds(program.process.dwProcessId);
    ASSERT_TRUE(AnswerBox(question, IDYES, 10000));
    ASSERT_TRUE(WaitForUninstallBox(final, question.box)) << "no final message";
    EXPECT_EQ(final->processId, program.process.dwProcessId) << "the box is not the first phase's";
    EXPECT_EQ(WaitForSingleObject(program.process.hProcess, 0), DWORD(WAIT_TIMEOUT))
        << "it ended before its final box was answered";
    EXPECT_TRUE(before.empty());
    const std::vector<DWORD> children = ChildProcessIds(program.process.dwProcessId);
    ASSERT_LE(children.size(), 1u);
    *copy = children.empty() ? nullptr
                             : OpenProcess(SYNCHRONIZE | PROCESS_DUP_HANDLE, FALSE, children[0]);
    if (*copy) processes_.Add(*copy);
  }

  // A second phase started by hand with the installed uninstaller: its exit
  // code, once it has ended.
  DWORD RunForgedSecondPhase(HANDLE wait, HANDLE report) {
    const std::wstring uninstaller = WideOf(kUninstallerPath);
    RunningProgram forged = StartProgram(L"\"" + uninstaller + L"\" /phase2 " + Number(wait) +
                                             L" " + Number(report) + L" \"" + uninstaller + L"\"",
                                         true);
    if (!forged.started) return 0;
    processes_.Add(forged.process.hProcess);
    DWORD code = 0;
    return WaitForExit(&forged, kExitTimeoutMs, &code) ? code : DWORD(-2);
  }
};

// A second phase's command line that no first phase gave: handle numbers
// that are no process, this test's own process (not the uninstaller it
// names), a real first phase with something other than a pipe. Each ends
// with its own exit code, asks nothing, shows nothing, and removes nothing.
TEST_F(Handover, AForgedSecondPhaseRemovesNothing) {
  ASSERT_NO_FATAL_FAILURE(Install());
  const std::string files = FilesPresent(), registration = RegistrationPresent();
  ASSERT_NE(files, "");

  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inheritable, 0));
  HANDLE event = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
  ASSERT_NE(event, nullptr);
  HANDLE self = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                              SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0));

  EXPECT_EQ(RunForgedSecondPhase(HANDLE(4), HANDLE(8)), kRefusedExitCode) << "bare numbers";
  EXPECT_EQ(RunForgedSecondPhase(event, writeEnd), kRefusedExitCode) << "an event";
  EXPECT_EQ(RunForgedSecondPhase(self, writeEnd), kRefusedExitCode) << "this test's process";

  // The installed uninstaller, waiting at its question: the right process,
  // but no pipe.
  RunningProgram first = StartRegisteredUninstaller(/*inheritHandles=*/true);
  MessageBoxSeen question;
  ASSERT_TRUE(WaitForUninstallBox(&question));
  HANDLE firstPhase =
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, first.process.dwProcessId);
  ASSERT_NE(firstPhase, nullptr);
  EXPECT_EQ(RunForgedSecondPhase(firstPhase, event), kRefusedExitCode) << "no pipe";
  EXPECT_EQ(RunForgedSecondPhase(firstPhase, firstPhase), kRefusedExitCode) << "twice the process";
  ASSERT_TRUE(AnswerBox(question, IDNO, 10000));
  DWORD code = 0;
  ASSERT_TRUE(WaitForExit(&first, kExitTimeoutMs, &code));
  EXPECT_EQ(code, DWORD(ERROR_CANCELLED));

  // Nothing came through the pipe either.
  CloseHandle(writeEnd);
  DWORD available = 1;
  EXPECT_TRUE(!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) || available == 0);
  for (HANDLE h : {readEnd, event, self, firstPhase}) CloseHandle(h);

  EXPECT_EQ(FilesPresent(), files);
  EXPECT_EQ(RegistrationPresent(), registration);
  EXPECT_EQ(NamesIn(std::string("C:\\Program Files\\zorva")).size(), 2u);
  EXPECT_TRUE(PathExists(kMainProgramPath));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// With the main program held open, the started process shows what stayed
// and ends with 1, only once that box is answered; the uninstaller and its
// entry are still there to run again, and the message says so.
TEST_F(Handover, SomethingInUseEndsWithOneAfterTheReportAndKeepsTheWayBack) {
  ASSERT_NO_FATAL_FAILURE(Install());
  HANDLE inUse = CreateFileW(WideOf(kMainProgramPath).c_str(), GENERIC_READ, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(inUse, INVALID_HANDLE_VALUE);
  RunningProgram program = StartRegisteredUninstaller(/*inheritHandles=*/true);
  MessageBoxSeen final;
  HANDLE copy = nullptr;
  ASSERT_NO_FATAL_FAILURE(ReachTheFinalBox(program, &final, &copy));
  EXPECT_EQ(final.text.find(kNotAllRemoved), 0u) << final.text;
  EXPECT_NE(final.text.find(kMainProgramPath), std::string::npos) << final.text;
  EXPECT_NE(final.text.find(kUninstallerKept), std::string::npos) << final.text;
  ASSERT_TRUE(AnswerBox(final, IDOK, 10000));
  DWORD code = 12345;
  ASSERT_TRUE(WaitForExit(&program, kExitTimeoutMs, &code));
  EXPECT_EQ(code, 1u);
  if (copy) {
    EXPECT_EQ(WaitForSingleObject(copy, kExitTimeoutMs), WAIT_OBJECT_0);
  }
  CloseHandle(inUse);
  EXPECT_FALSE(UninstallBoxShown());
  EXPECT_TRUE(PathExists(kMainProgramPath));
  EXPECT_TRUE(PathExists(kUninstallerPath));
  EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            "\"" + std::string(kUninstallerPath) + "\"");
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile"));
}

// With nothing held, the main program and the entry are gone by the time the
// final box shows; the started process ends with 0 once it is answered, no
// box of the uninstaller stays, and the copy then removes the uninstaller
// and its folder. The copy inherited none of the first phase's inheritable
// handles: here one open on a marker file, which the first phase holds.
TEST_F(Handover, AllGoneEndsWithZeroAndTheCopyInheritsOnlyItsHandles) {
  ASSERT_NO_FATAL_FAILURE(Install());
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE marker = CreateFileW(L"C:\\inheritance-marker.txt", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable,
                              CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(marker, INVALID_HANDLE_VALUE);
  RunningProgram program = StartRegisteredUninstaller(/*inheritHandles=*/true);
  MessageBoxSeen final;
  HANDLE copy = nullptr;
  ASSERT_NO_FATAL_FAILURE(ReachTheFinalBox(program, &final, &copy));
  EXPECT_EQ(final.text, kRemoved);
  EXPECT_FALSE(PathExists(kMainProgramPath));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  // The copy waits for the first phase to end before the uninstaller goes.
  ASSERT_NE(copy, nullptr) << "no copy waits for the first phase";
  EXPECT_TRUE(PathExists(kUninstallerPath));
  EXPECT_TRUE(HoldsFile(program.process.hProcess, marker, marker)) << "the test cannot see it";
  EXPECT_FALSE(HoldsFile(copy, marker, marker)) << "the copy inherited the first phase's handle";
  ASSERT_TRUE(AnswerBox(final, IDOK, 10000));
  DWORD code = 12345;
  ASSERT_TRUE(WaitForExit(&program, kExitTimeoutMs, &code));
  EXPECT_EQ(code, 0u);
  EXPECT_FALSE(UninstallBoxShown());
  ASSERT_EQ(WaitForSingleObject(copy, kExitTimeoutMs), WAIT_OBJECT_0);
  EXPECT_FALSE(UninstallBoxShown());
  EXPECT_EQ(FilesPresent(), "");
  EXPECT_EQ(RegistrationPresent(), "");
  CloseHandle(marker);
  DeleteFileW(L"C:\\inheritance-marker.txt");
}

}  // namespace
