// The table of external functions: resolution, the search of the system
// libraries, ordinals, the report of a missing function, and where system
// libraries are loaded from.
//
// This program runs from a folder of its own, beside a planted shell32.dll,
// with Wine told to prefer a native shell32 (the test's environment); it
// imports nothing from shell32 itself, so only a LoadLibrary can reach the
// planted one.
#include "frame/external_functions.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "support/test_support.h"
#include "texts/runtime_errors.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = char(c + 32);
  return text;
}

std::string ModulePath(HMODULE module) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(module, path, MAX_PATH);
  return path;
}

// The module that holds the code at `address`.
HMODULE ModuleOf(FARPROC address) {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<const char*>(address), &module);
  return module;
}

std::string SystemFile(const char* name) {
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  return Lower(std::string(system) + "\\" + name);
}

std::string ProgramFolder() {
  std::string path = ModulePath(nullptr);
  return path.substr(0, path.rfind('\\'));
}

std::string g_reported;
int g_reports = 0;
int32_t g_reportedCode = -1;
int32_t g_reportedAt[2] = {-1, -1};
void RecordReport(const Text& message, int32_t code, int32_t first, int32_t second) {
  g_reported = message;
  g_reportedCode = code;
  g_reportedAt[0] = first;
  g_reportedAt[1] = second;
  ++g_reports;
}

class ExternalFunctionsTest : public testing::Test {
 protected:
  void SetUp() override {
    g_reported.clear();
    g_reports = 0;
    SetExternalFunctionReport(RecordReport);
  }
  void TearDown() override {
    FreeExternalFunctions();
    SetExternalFunctionReport(nullptr);
  }
};

TEST_F(ExternalFunctionsTest, ProgramTableResolvesOnceAndKeepsTheAddress) {
  const struct {
    ExternalFunction which;
    const char* library;
    const char* name;
  } entries[] = {
      {ExternalFunction::CreateWaitableTimerW, "kernel32.dll", "CreateWaitableTimerW"},
      {ExternalFunction::SetWaitableTimer, "kernel32.dll", "SetWaitableTimer"},
      // Not in kernel32: the search goes on to user32.
      {ExternalFunction::MsgWaitForMultipleObjects, "user32.dll", "MsgWaitForMultipleObjects"},
      {ExternalFunction::CancelWaitableTimer, "kernel32.dll", "CancelWaitableTimer"},
      {ExternalFunction::SHChangeNotify, "shell32.dll", "SHChangeNotify"},
  };
  for (const auto& e : entries) {
    FARPROC address = ResolveExternalFunction(e.which);
    ASSERT_NE(address, nullptr) << e.name;
    HMODULE system = GetModuleHandleA(SystemFile(e.library).c_str());
    ASSERT_NE(system, nullptr) << e.library << " was not loaded for " << e.name;
    EXPECT_EQ(address, GetProcAddress(system, e.name)) << e.name;
    EXPECT_EQ(ResolveExternalFunction(e.which), address) << e.name;
  }
  EXPECT_EQ(g_reports, 0);

  // A usable address: one waitable timer through the table.
  HANDLE timer =
      CallExternal<HANDLE>(ResolveExternalFunction(ExternalFunction::CreateWaitableTimerW), {1, 1},
                           nullptr, TRUE, nullptr);
  ASSERT_NE(timer, nullptr);
  CloseHandle(timer);
  EXPECT_EQ(g_reports, 0);
}

TEST_F(ExternalFunctionsTest, AnOverrideStandsInUntilTheTableIsFreed) {
  static int calls = 0;
  struct Counter {
    static void WINAPI Notify(LONG, UINT, LPCVOID, LPCVOID) { ++calls; }
  };
  OverrideExternalFunction(
      ExternalFunction::SHChangeNotify,
      reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&Counter::Notify)));
  CallExternal(ResolveExternalFunction(ExternalFunction::SHChangeNotify), {1, 1}, LONG(0), UINT(0),
               nullptr, nullptr);
  EXPECT_EQ(calls, 1);
  FreeExternalFunctions();
  FARPROC real = ResolveExternalFunction(ExternalFunction::SHChangeNotify);
  EXPECT_NE(real, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&Counter::Notify)));
  EXPECT_EQ(Lower(ModulePath(ModuleOf(real))), SystemFile("shell32.dll"));
}

TEST_F(ExternalFunctionsTest, EmptyLibraryNameSearchesTheSystemLibrariesInOrder) {
  const struct {
    const char* function;
    const char* library;
  } cases[] = {
      {"GetTickCount", "kernel32.dll"}, {"CreateSolidBrush", "gdi32.dll"},
      {"GetUserNameA", "advapi32.dll"}, {"WNetGetConnectionA", "mpr.dll"},
      {"ShellExecuteA", "shell32.dll"},
  };
  for (const auto& c : cases) {
    ExternalFunctionEntry entry{"", c.function};
    ASSERT_NE(ResolveEntry(&entry), nullptr) << c.function;
    EXPECT_EQ(Lower(ModulePath(entry.module)), SystemFile(c.library)) << c.function;
    EXPECT_EQ(entry.address, GetProcAddress(entry.module, c.function)) << c.function;
    ReleaseEntry(&entry);
    EXPECT_EQ(entry.address, nullptr);
    EXPECT_EQ(entry.module, nullptr);
  }
  EXPECT_EQ(g_reports, 0);
}

// The ordinal of `name` in the export directory of `module`.
WORD OrdinalOf(HMODULE module, const char* name) {
  auto* base = reinterpret_cast<const BYTE*>(module);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
  auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  auto* ordinals = reinterpret_cast<const WORD*>(base + exports->AddressOfNameOrdinals);
  for (DWORD i = 0; i < exports->NumberOfNames; ++i)
    if (strcmp(reinterpret_cast<const char*>(base + names[i]), name) == 0)
      return WORD(exports->Base + ordinals[i]);
  return 0;
}

TEST_F(ExternalFunctionsTest, HashNamesAnExportByItsOrdinal) {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  WORD ordinal = OrdinalOf(kernel, "GetTickCount");
  ASSERT_NE(ordinal, 0);
  const std::string function = "#" + std::to_string(ordinal);
  ExternalFunctionEntry entry{"kernel32", function.c_str()};
  EXPECT_EQ(ResolveEntry(&entry), GetProcAddress(kernel, "GetTickCount"));
  ReleaseEntry(&entry);

  // Nothing but 1 to 65535 is an ordinal; a larger number would be taken
  // for a pointer to a name.
  for (const char* bad : {"#", "#0", "#65536", "#4294967297", "#12a", "#-1"}) {
    ExternalFunctionEntry wrong{"kernel32", bad};
    g_reports = 0;
    EXPECT_EQ(ResolveEntry(&wrong), nullptr) << bad;
    EXPECT_EQ(g_reports, 1) << bad;
    EXPECT_EQ(wrong.module, nullptr) << bad;
  }
}

TEST_F(ExternalFunctionsTest, MissingFunctionsAreReportedWithTheirNames) {
  ExternalFunctionEntry named{"kernel32", "NoSuchFunction"};
  EXPECT_EQ(ResolveEntry(&named), nullptr);
  EXPECT_EQ(g_reports, 1);
  EXPECT_EQ(g_reported, Gbk("无法找到指定DLL库文件“kernel32”中的输出命令“NoSuchFunction”"));
  EXPECT_EQ(g_reportedCode, 0);
  EXPECT_EQ(g_reportedAt[0], 0);
  EXPECT_EQ(g_reportedAt[1], 0);
  EXPECT_EQ(named.module, nullptr) << "the library is freed again";

  ExternalFunctionEntry searched{"", "NoSuchFunction"};
  EXPECT_EQ(ResolveEntry(&searched), nullptr);
  EXPECT_EQ(g_reports, 2);
  EXPECT_EQ(g_reported, Gbk("无法找到指定DLL库文件中的输出命令“NoSuchFunction”"));

  ExternalFunctionEntry noLibrary{"morvane-no-such-library", "F"};
  EXPECT_EQ(ResolveEntry(&noLibrary), nullptr);
  EXPECT_EQ(g_reported, Gbk("无法找到指定DLL库文件“morvane-no-such-library”中的输出命令“F”"));

  // A failed entry is tried again on its next call, not remembered.
  EXPECT_EQ(ResolveEntry(&named), nullptr);
  EXPECT_EQ(g_reports, 4);
}

// Functions of the system's libraries, looked up by name, called as Windows
// functions with as many arguments as each call gives. On 32-bit Windows the
// callee pops them: a call with another count, or of a function that leaves
// them to its caller (the C runtime's), leaves the stack pointer elsewhere,
// and that is run-time error 6 with the place of the call. On x86_64 there is
// nothing to compare, and nothing is reported.
TEST_F(ExternalFunctionsTest, ACallThatLeavesTheStackElsewhereIsRunTimeError6) {
  const bool checked = sizeof(void*) == 4;
  const bool noResult = false;
  const struct {
    const char* library;
    const char* function;
    int arguments;  // 0, 1 or 3; the first is `argument`, the others 0
    int32_t argument;
    bool unbalanced;
    bool hasResult;
    uintptr_t result;
  } cases[] = {
      {"kernel32", "GetCurrentProcessId", 0, 0, false, true, GetCurrentProcessId()},
      {"kernel32", "GetCurrentProcessId", 1, 7, true, true, GetCurrentProcessId()},  // one too many
      {"kernel32", "SetLastError", 1, 1234, false, noResult, 0},
      {"kernel32", "SetLastError", 0, 0, true, noResult, 0},  // one too few
      {"user32", "GetSystemMetrics", 1, SM_CYSCREEN, false, true,
       uintptr_t(GetSystemMetrics(SM_CYSCREEN))},
      {"user32", "GetSystemMetrics", 3, SM_CYSCREEN, true, true,
       uintptr_t(GetSystemMetrics(SM_CYSCREEN))},
      {"msvcrt", "labs", 1, -5, true, true, 5},  // the C runtime's convention: the caller pops
  };
  int32_t position = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.function) + " with " + std::to_string(c.arguments));
    ExternalFunctionEntry entry{c.library, c.function};
    FARPROC address = ResolveEntry(&entry);
    ASSERT_NE(address, nullptr);
    g_reports = 0;
    g_reportedCode = -1;
    const ExternalCallSite site{17, ++position};
    uintptr_t result = 0;
    if (c.arguments == 0) result = CallExternal<uintptr_t>(address, site);
    if (c.arguments == 1) result = CallExternal<uintptr_t>(address, site, c.argument);
    if (c.arguments == 3) result = CallExternal<uintptr_t>(address, site, c.argument, 0, 0);
    const DWORD lastError = GetLastError();
    ReleaseEntry(&entry);
    // The call itself comes back whole, with what the function answered.
    if (c.hasResult) {
      EXPECT_EQ(result, c.result);
    } else if (!c.unbalanced) {
      EXPECT_EQ(lastError, 1234u) << "SetLastError had its argument";
    }
    if (!checked || !c.unbalanced) {
      EXPECT_EQ(g_reports, 0);
      continue;
    }
    EXPECT_EQ(g_reports, 1);
    EXPECT_EQ(g_reported, kStackUnbalanced);
    EXPECT_EQ(g_reportedCode, 6);
    EXPECT_EQ(g_reportedAt[0], 17);
    EXPECT_EQ(g_reportedAt[1], position);
  }
}

TEST_F(ExternalFunctionsTest, ALibraryBesideTheProgramIsNotWhatSHChangeNotifyResolvesTo) {
  const std::string planted = Lower(ProgramFolder() + "\\shell32.dll");
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(planted, &bytes)) << "the build plants " << planted;

  FARPROC address = ResolveExternalFunction(ExternalFunction::SHChangeNotify);
  ASSERT_NE(address, nullptr);
  HMODULE module = ModuleOf(address);
  EXPECT_EQ(Lower(ModulePath(module)), SystemFile("shell32.dll"));
  EXPECT_EQ(GetProcAddress(module, "PlantedLibraryMarker"), nullptr);

  // The plant is live: loaded the way a bare name in the program folder
  // would be, it is the planted library. Checked last, as it stays loaded.
  HMODULE plantedModule = LoadLibraryA(planted.c_str());
  ASSERT_NE(plantedModule, nullptr);
  EXPECT_NE(GetProcAddress(plantedModule, "PlantedLibraryMarker"), nullptr);
  EXPECT_NE(GetProcAddress(plantedModule, "SHChangeNotify"), address);
}

}  // namespace
