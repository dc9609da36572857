// The setup program refuses to run where "<its file name>.local" stands
// beside it: the run-time error report, exit code -1, no window of the
// template, nothing written, nothing loaded from the folder. The folder holds
// marker libraries under the names of the common controls and the theme
// library (at its top and where a side-by-side assembly's copy would be
// looked for), which leave "<their path>.loaded" behind when loaded. Wine
// itself does not redirect through such a folder; the test runs with
// WINEDLLOVERRIDES=comctl32,uxtheme=n,b so that a load by the program's own
// code (the preload of system libraries by full path) would reach them
// wherever Windows would. The program lies in a folder of the temporary
// folder, or in the user's downloads folder, where a downloaded setup
// program is started from; both lie in the user's profile, whose name code
// page 936 need not write (the wideuser prefix).
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "tests/wine/frame/gui_driver.h"

namespace {

// Arguments: the setup program, a marker library.
std::string SetupProgram() { return HostPath(TestArgument(0)); }
std::string MarkerLibrary() { return HostPath(TestArgument(1)); }

const char kAssemblyFolder[] =
    "x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.0.0_none_deadbeef";
const char* const kMarkerNames[] = {"comctl32.dll", "uxtheme.dll"};

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Where the copy of the setup program is put: a new folder in the temporary
// folder or in the user's downloads folder, as Windows names them.
enum class Place { Temporary, Downloads };

std::wstring NewFolder(Place place, const wchar_t* name) {
  std::wstring parent;
  if (place == Place::Temporary) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    parent = temp;
  } else {
    wchar_t* downloads = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, KF_FLAG_CREATE, nullptr, &downloads)))
      parent = std::wstring(downloads) + L"\\";
    CoTaskMemFree(downloads);
  }
  const std::wstring folder = parent + L"morvane-" + name;
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void PlantMarkers(const std::wstring& folder) {
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  const std::wstring assembly = folder + L"\\" + WideOf(kAssemblyFolder);
  ASSERT_TRUE(CreateDirectoryW(assembly.c_str(), nullptr));
  for (const std::wstring& place : {folder, assembly})
    for (const char* name : kMarkerNames)
      ASSERT_TRUE(CopyFileW(WideOf(MarkerLibrary()).c_str(), (place + L"\\" + WideOf(name)).c_str(),
                            FALSE));
}

BOOL CALLBACK NoteOtherWindow(HWND hwnd, LPARAM lParam) {
  auto* watch = reinterpret_cast<std::pair<DWORD, bool>*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char name[32] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (owner == watch->first && IsWindowVisible(hwnd) && lstrcmpA(name, "#32770") != 0)
    watch->second = true;
  return TRUE;
}

// Whether the process shows a visible top-level window that is no box.
bool ShowsOtherWindow(DWORD processId) {
  std::pair<DWORD, bool> watch{processId, false};
  EnumWindows(NoteOtherWindow, LPARAM(&watch));
  return watch.second;
}

struct Redirection {
  const char* programName;  // UTF-8, as the copy of the setup program is named
  bool folder;              // a folder with the markers, or an empty file
  Place place;
  const char* caseName;
};

// Ends the program when a check gave up on it before it ended.
struct EndsProgram {
  RunningProgram* run;
  ~EndsProgram() {
    if (IsRunning(*run)) TerminateProcess(run->process.hProcess, 99);
  }
};

class DllRedirection : public testing::TestWithParam<Redirection> {};

TEST_P(DllRedirection, TheSetupProgramRefusesToRun) {
  const Redirection& c = GetParam();
  const std::wstring folder = NewFolder(c.place, L"dll-redirection");
  const std::string name = Gbk(c.programName);
  const std::wstring program = folder + L"\\" + WideOf(name);
  const std::wstring redirection = program + L".local";
  ASSERT_TRUE(CopyFileW(WideOf(SetupProgram()).c_str(), program.c_str(), FALSE));
  if (c.folder) {
    ASSERT_NO_FATAL_FAILURE(PlantMarkers(redirection));
  } else {
    HANDLE file =
        CreateFileW(redirection.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  const std::vector<std::string> before = TreeOf(folder);

  RunningProgram run = StartProgram(L"\"" + program + L"\"");
  ASSERT_TRUE(run.started);
  EndsProgram ends{&run};
  MessageBoxSeen seen;
  bool otherWindow = false, boxShown = false;
  const DWORD start = GetTickCount();
  while (!boxShown && IsRunning(run) && GetTickCount() - start < 30000) {
    otherWindow = otherWindow || ShowsOtherWindow(run.process.dwProcessId);
    boxShown = WaitForMessageBox(run, 50, &seen);
  }
  ASSERT_TRUE(boxShown) << "no run-time error report";
  otherWindow = otherWindow || ShowsOtherWindow(run.process.dwProcessId);
  EXPECT_EQ(seen.caption, Gbk("错误"));
  EXPECT_EQ(seen.text,
            Gbk("运行时出错!\r\n\r\n错误信息：程序所在文件夹中有“") + name +
                Gbk(".local”，程序载入的系统库可能被替换，程序不能运行\r\n\r\n0, 0\r\n"));
  EXPECT_TRUE(ClickBoxButton(seen, IDOK));
  DWORD code = 0;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(code, DWORD(-1));
  EXPECT_FALSE(otherWindow) << "a window of the template was shown";

  // Nothing new beside the program (no marker's trace among it), nothing
  // installed.
  EXPECT_EQ(TreeOf(folder), before);
  EXPECT_FALSE(Exists(L"C:\\Program Files\\zorva"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zorva"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane"));
  RemoveTree(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Beside, DllRedirection,
    testing::Values(Redirection{"MorvaneSetup.exe", true, Place::Temporary, "Folder"},
                    Redirection{"MorvaneSetup.exe", false, Place::Temporary, "File"},
                    Redirection{"安装 Morvane (2).exe", true, Place::Temporary, "Renamed"},
                    Redirection{"MorvaneSetup.exe", true, Place::Downloads, "InTheDownloads"}),
    [](const testing::TestParamInfo<Redirection>& info) {
      return std::string(info.param.caseName);
    });

// The check above would see the template's window: without the folder the
// same copy shows its start window.
TEST(DllRedirection, WithoutTheFolderTheStartWindowShows) {
  const std::wstring folder = NewFolder(Place::Downloads, L"dll-no-redirection");
  const std::wstring program = folder + L"\\MorvaneSetup.exe";
  ASSERT_TRUE(CopyFileW(WideOf(SetupProgram()).c_str(), program.c_str(), FALSE));
  RunningProgram run = StartProgram(L"\"" + program + L"\"");
  ASSERT_TRUE(run.started);
  EndsProgram ends{&run};
  bool shown = false;
  const DWORD start = GetTickCount();
  while (!shown && IsRunning(run) && GetTickCount() - start < 30000) {
    shown = ShowsOtherWindow(run.process.dwProcessId);
    Sleep(50);
  }
  EXPECT_TRUE(shown);
  TerminateProcess(run.process.hProcess, 0);
  DWORD code = 0;
  WaitForExit(&run, 20000, &code);
  RemoveTree(folder);
}

}  // namespace
