// The setup program refuses to run where "<its file name>.local" stands
// beside it: the run-time error report, exit code -1, no window of the
// template, nothing written, nothing loaded from the folder. The folder holds
// marker libraries under the names of the common controls and the theme
// library (at its top and where a side-by-side assembly's copy would be
// looked for), which leave "<their path>.loaded" behind when loaded. Wine
// itself does not redirect through such a folder; the test runs with
// WINEDLLOVERRIDES=comctl32,uxtheme=n,b so that a load by the program's own
// code (the preload of system libraries by full path) would reach them
// wherever Windows would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "support/gui_driver.h"

namespace {

// Arguments: the setup program, a marker library.
std::string SetupProgram() { return HostPath(TestArgument(0)); }
std::string MarkerLibrary() { return HostPath(TestArgument(1)); }

const char kAssemblyFolder[] =
    "x86_microsoft.windows.common-controls_6595b64144ccf1df_6.0.0.0_none_deadbeef";
const char* const kMarkerNames[] = {"comctl32.dll", "uxtheme.dll"};

// Every name under a folder, with its path below it, subfolders included.
void ListTree(const std::string& folder, const std::string& below, std::vector<std::string>* out) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    out->push_back(below + name);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ListTree(folder + "\\" + name, below + name + "\\", out);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

std::vector<std::string> TreeOf(const std::string& folder) {
  std::vector<std::string> names;
  ListTree(folder, "", &names);
  return names;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void PlantMarkers(const std::string& folder) {
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string assembly = folder + "\\" + kAssemblyFolder;
  ASSERT_TRUE(CreateDirectoryA(assembly.c_str(), nullptr));
  for (const std::string& place : {folder, assembly})
    for (const char* name : kMarkerNames)
      ASSERT_TRUE(CopyFileA(MarkerLibrary().c_str(), (place + "\\" + name).c_str(), FALSE));
}

// Whether the process shows a visible top-level window that is no box.
bool ShowsOtherWindow(DWORD processId) {
  for (HWND hwnd : VisibleTopWindows(processId))
    if (!IsMessageBox(hwnd)) return true;
  return false;
}

struct Redirection {
  const char* programName;  // UTF-8, as the copy of the setup program is named
  bool folder;              // a folder with the markers, or an empty file
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
  const std::string folder = MakeScratchFolder("dll-redirection");
  const std::string name = Gbk(c.programName);
  const std::string program = folder + "\\" + name;
  const std::string redirection = program + ".local";
  ASSERT_TRUE(CopyFileA(SetupProgram().c_str(), program.c_str(), FALSE));
  if (c.folder)
    PlantMarkers(redirection);
  else
    ASSERT_TRUE(WriteWholeFile(redirection, ""));
  const std::vector<std::string> before = TreeOf(folder);

  RunningProgram run = StartProgram("\"" + program + "\"");
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
  EXPECT_FALSE(Exists("C:\\Program Files\\zorva"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".zorva"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Morvane"));
  RemoveTree(folder);
}

INSTANTIATE_TEST_SUITE_P(Beside, DllRedirection,
                         testing::Values(Redirection{"MorvaneSetup.exe", true, "Folder"},
                                         Redirection{"MorvaneSetup.exe", false, "File"},
                                         Redirection{"安装 Morvane (2).exe", true, "Renamed"}),
                         [](const testing::TestParamInfo<Redirection>& info) {
                           return std::string(info.param.caseName);
                         });

// The check above would see the template's window: without the folder the
// same copy shows its start window.
TEST(DllRedirection, WithoutTheFolderTheStartWindowShows) {
  const std::string folder = MakeScratchFolder("dll-no-redirection");
  const std::string program = folder + "\\MorvaneSetup.exe";
  ASSERT_TRUE(CopyFileA(SetupProgram().c_str(), program.c_str(), FALSE));
  RunningProgram run = StartProgram("\"" + program + "\"");
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

}  // namespace
