// The setup program and the uninstaller refuse to run where "<their file
// name>.local" stands beside them: the setup program with the run-time error
// report, the uninstaller with its own message that asks nothing; exit code
// -1, no window of the template, nothing written, nothing loaded from the
// folder. The folder holds
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
#include "texts/installation.h"
#include "texts/runtime_errors.h"
#include "texts/uninstaller.h"
#include "support/gui_driver.h"

namespace {

// Arguments: the setup program, a marker library, the uninstaller.
std::string SetupProgram() { return HostPath(TestArgument(0)); }
std::string MarkerLibrary() { return HostPath(TestArgument(1)); }
std::string Uninstaller() { return HostPath(TestArgument(2)); }

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
  if (RegOpenKeyExW(root, WideOf(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
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

// Whether the process shows a visible top-level window that is no box.
bool ShowsOtherWindow(DWORD processId) {
  for (HWND hwnd : VisibleTopWindows(processId))
    if (!IsMessageBox(hwnd)) return true;
  return false;
}

// The uninstaller's private folders under the temporary folder.
bool PrivateFolderExists() {
  wchar_t temp[MAX_PATH];
  const DWORD length = GetTempPathW(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return false;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((std::wstring(temp) + L"MorvaneUninstall-*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

struct Redirection {
  bool uninstaller;         // the uninstaller, or the setup program
  std::string programName;  // code page 936, as the copy of the program is named
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

TEST_P(DllRedirection, TheProgramRefusesToRun) {
  const Redirection& c = GetParam();
  const std::wstring folder = NewFolder(c.place, L"dll-redirection");
  const std::string name = c.programName;
  const std::wstring program = folder + L"\\" + WideOf(name);
  const std::wstring redirection = program + L".local";
  ASSERT_TRUE(CopyFileW(WideOf(c.uninstaller ? Uninstaller() : SetupProgram()).c_str(),
                        program.c_str(), FALSE));
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
  BoxWanted ofTheProgram;
  ofTheProgram.processId = run.process.dwProcessId;
  bool otherWindow = false, boxShown = false;
  // Until the box comes, every look also watches for another window.
  WaitUntil([&] {
    otherWindow = otherWindow || ShowsOtherWindow(run.process.dwProcessId);
    boxShown = FindMessageBox(ofTheProgram, &seen);
    return boxShown || !IsRunning(run);
  });
  ASSERT_TRUE(boxShown) << "no refusal";
  otherWindow = otherWindow || ShowsOtherWindow(run.process.dwProcessId);
  if (c.uninstaller) {
    EXPECT_EQ(seen.caption, kUninstallCaption);
    EXPECT_NE(seen.text.find(".local"), std::string::npos) << seen.text;
    EXPECT_EQ(GetDlgItem(seen.box, IDYES), nullptr) << "it asked to go on";
  } else {
    EXPECT_EQ(seen.caption, kRuntimeErrorCaption);
    EXPECT_EQ(seen.text,
              Gbk("运行时出错!\r\n\r\n错误信息：程序所在文件夹中有“") + name +
                  Gbk(".local”，程序载入的系统库可能被替换，程序不能运行\r\n\r\n0, 0\r\n"));
  }
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
  EXPECT_FALSE(PrivateFolderExists()) << "the uninstaller made its private folder";
  RemoveTree(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Beside, DllRedirection,
    testing::Values(
        Redirection{false, "MorvaneSetup.exe", true, Place::Temporary, "Folder"},
        Redirection{false, "MorvaneSetup.exe", false, Place::Temporary, "File"},
        Redirection{false, Gbk("安装 Morvane (2).exe"), true, Place::Temporary, "Renamed"},
        Redirection{false, "MorvaneSetup.exe", true, Place::Downloads, "InTheDownloads"},
        Redirection{true, kUninstallerName, true, Place::Temporary, "UninstallerFolder"},
        Redirection{true, kUninstallerName, false, Place::Temporary, "UninstallerFile"}),
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
  WaitUntil([&] {
    shown = ShowsOtherWindow(run.process.dwProcessId);
    return shown || !IsRunning(run);
  });
  EXPECT_TRUE(shown);
  TerminateProcess(run.process.hProcess, 0);
  DWORD code = 0;
  WaitForExit(&run, 20000, &code);
  RemoveTree(folder);
}

// Nor would the check miss the uninstaller's refusal: without the folder the
// same copy asks its question, with a Yes.
TEST(DllRedirection, WithoutTheFolderTheUninstallerAsks) {
  const std::wstring folder = NewFolder(Place::Temporary, L"dll-no-redirection-uninstaller");
  const std::wstring program = folder + L"\\" + WideOf(kUninstallerName);
  ASSERT_TRUE(CopyFileW(WideOf(Uninstaller()).c_str(), program.c_str(), FALSE));
  RunningProgram run = StartProgram(L"\"" + program + L"\"");
  ASSERT_TRUE(run.started);
  EndsProgram ends{&run};
  MessageBoxSeen question;
  ASSERT_TRUE(WaitForMessageBox(run, 30000, &question));
  EXPECT_NE(GetDlgItem(question.box, IDYES), nullptr);
  EXPECT_TRUE(ClickBoxButton(question, IDNO));
  DWORD code = 0;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(code, DWORD(ERROR_CANCELLED));
  RemoveTree(folder);
}

}  // namespace
