// Libraries planted in the setup program's folder under the names of system
// libraries are never loaded by the running program. Wine reaches a planted
// library only when its load order allows native code: the test runs with
// WINEDLLOVERRIDES=version,uxtheme,dwmapi,winmm,msimg32=n,b. None of them is
// one of the KnownDLLs, which would be protected anyway.
//
// Under Wine the system's own libraries load a planted library before any
// code of a program runs (user32 imports version.dll). That much happens to
// any program with the same imports, and no code of the program can prevent
// it; each program is therefore compared with a control that has its imports
// and its manifest and runs no code of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_support.h"
#include "support/gui_driver.h"

namespace {

const char* const kPlanted[] = {"version.dll", "uxtheme.dll", "dwmapi.dll", "winmm.dll",
                                "msimg32.dll"};

// Arguments: the folder of the planted libraries; the probe, the probe built
// without the restricted search, the probe's control; the setup program, the
// setup program built without its preload, the setup program's control; the
// uninstaller, the uninstaller's control.
std::string Argument(int index) { return HostPath(TestArgument(index)); }
std::string PlantedFolder() { return Argument(0); }
std::string Probe() { return Argument(1); }
std::string ProbeWithoutRestriction() { return Argument(2); }
std::string ProbeControl() { return Argument(3); }
std::string SetupProgram() { return Argument(4); }
std::string SetupProgramWithoutPreload() { return Argument(5); }
std::string SetupControl() { return Argument(6); }
std::string Uninstaller() { return Argument(7); }
std::string UninstallerControl() { return Argument(8); }

using Names = std::vector<std::string>;

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

std::string Listed(const Names& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
  return list.empty() ? "none" : list;
}

// A folder like a downloads folder: the program and the planted libraries.
std::string PlantBeside(const char* folderName, const std::string& program) {
  std::string folder = MakeScratchFolder(folderName);
  EXPECT_TRUE(CopyFileA(program.c_str(), (folder + "\\" + FileName(program)).c_str(), FALSE));
  for (const char* name : kPlanted)
    EXPECT_TRUE(
        CopyFileA((PlantedFolder() + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE))
        << name;
  return folder;
}

Names PlantedLibrariesLoaded(const std::string& folder) {
  Names loaded;
  for (const char* name : kPlanted)
    if (GetFileAttributesA((folder + "\\" + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES)
      loaded.push_back(name);
  return loaded;
}

Names LoadedBeyond(const Names& loaded, const Names& control) {
  Names beyond;
  for (const std::string& name : loaded)
    if (std::find(control.begin(), control.end(), name) == control.end()) beyond.push_back(name);
  return beyond;
}

RunningProgram StartBeside(const std::string& folder, const std::string& program,
                           const std::string& arguments = "") {
  return StartProgram("\"" + folder + "\\" + FileName(program) + "\"" + arguments);
}

// Runs the probe from the planted folder and answers which planted
// libraries it loaded.
Names RunProbe(const char* folderName, const std::string& probe) {
  const std::string folder = PlantBeside(folderName, probe);
  RunningProgram run = StartBeside(folder, probe, " \"" + folder + "\\log.txt\"");
  EXPECT_TRUE(run.started);
  DWORD code = 99;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(code, 0u);
  std::string log;
  EXPECT_TRUE(ReadWholeFile(folder + "\\log.txt", &log)) << "the probe did not start its window";
  return PlantedLibrariesLoaded(folder);
}

// What a control loads: what the system loads for its program's imports
// before the program's first instruction.
Names RunControl(const char* folderName, const std::string& control) {
  const std::string folder = PlantBeside(folderName, control);
  RunningProgram run = StartBeside(folder, control);
  EXPECT_TRUE(run.started);
  DWORD code = 99;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(code, 0u) << "the control's entry point returns 0 at once";
  return PlantedLibrariesLoaded(folder);
}

// Runs the program from the planted folder until it shows a window (whatever
// window it shows: the run-time error box while its widget classes are
// missing, its start window later), lets it finish what it has to do for that
// window, then closes it (or ends it) and answers which planted libraries it
// loaded. A program that has loaded one beyond its control's is ended at
// once: the planted libraries have none of the functions asked of them, and
// it would only stumble on.
Names RunShowingAWindow(const char* folderName, const std::string& program, const Names& control) {
  const std::string folder = PlantBeside(folderName, program);
  RunningProgram run = StartBeside(folder, program);
  EXPECT_TRUE(run.started);
  HWND window = WaitForTopWindow(run, nullptr, 30000);
  EXPECT_TRUE(window) << "the program showed no window";
  if (window && LoadedBeyond(PlantedLibrariesLoaded(folder), control).empty()) {
    // Idle once the window is created, shown and painted; the message that
    // comes back proves it is past all that and in a message loop.
    WaitForInputIdle(run.process.hProcess, 20000);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer));
    PostMessageA(window, WM_CLOSE, 0, 0);
  } else if (run.started) {
    TerminateProcess(run.process.hProcess, 99);
  }
  DWORD code = 0;
  WaitForExit(&run, 20000, &code);  // a program that does not close is ended
  return PlantedLibrariesLoaded(folder);
}

TEST(DllSearch, PlantedLibrariesAreNeverLoaded) {
  const Names control = RunControl("dll-probe-control", ProbeControl());
  EXPECT_EQ(LoadedBeyond(RunProbe("dll-mend", Probe()), control), Names())
      << "the control with the same imports loaded " << Listed(control);
}

// Under Wine the libraries that its own system libraries already hold are
// not loaded again, so not all of them show; any one is a planted library run.
TEST(DllSearch, TheSameCheckCatchesAProgramWithoutTheRestriction) {
  const Names control = RunControl("dll-probe-control-2", ProbeControl());
  EXPECT_NE(LoadedBeyond(RunProbe("dll-no-mend", ProbeWithoutRestriction()), control), Names());
}

// Its window themed by common controls 6, which load the theme library by
// bare name for the first themed window or message box, and the theme
// library in turn its drawing library.
TEST(DllSearch, TheSetupProgramShowingAWindowLoadsNoneBeyondItsImports) {
  const Names control = RunControl("dll-control", SetupControl());
  const Names setup = RunShowingAWindow("dll-setup", SetupProgram(), control);
  EXPECT_EQ(LoadedBeyond(setup, control), Names())
      << "the control with the same imports loaded " << Listed(control);
}

TEST(DllSearch, TheSameCheckCatchesTheSetupProgramWithoutItsPreload) {
  const Names control = RunControl("dll-control-2", SetupControl());
  const Names setup =
      RunShowingAWindow("dll-setup-no-preload", SetupProgramWithoutPreload(), control);
  EXPECT_NE(LoadedBeyond(setup, control), Names())
      << "the control with the same imports loaded " << Listed(control)
      << "; the program without its preload loaded " << Listed(setup);
}

// Its question is a message box of common controls 6, themed as the setup
// program's windows are; the answer No ends it having touched nothing.
TEST(DllSearch, TheUninstallerAskingItsQuestionLoadsNoneBeyondItsImports) {
  const Names control = RunControl("dll-uninstaller-control", UninstallerControl());
  const std::string folder = PlantBeside("dll-uninstaller", Uninstaller());
  RunningProgram run = StartBeside(folder, Uninstaller());
  ASSERT_TRUE(run.started);
  MessageBoxSeen question;
  EXPECT_TRUE(WaitForMessageBox(run, 30000, &question)) << "the uninstaller asked nothing";
  if (question.box) {
    // Idle once the box is shown and painted.
    WaitForInputIdle(run.process.hProcess, 20000);
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(question.box, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &answer));
  }
  const Names loaded = PlantedLibrariesLoaded(folder);
  if (question.box && LoadedBeyond(loaded, control).empty()) {
    EXPECT_TRUE(ClickBoxButton(question, IDNO));
  } else {
    TerminateProcess(run.process.hProcess, 99);
  }
  DWORD code = 0;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(LoadedBeyond(loaded, control), Names())
      << "the control with the same imports loaded " << Listed(control);
  EXPECT_EQ(code, DWORD(ERROR_CANCELLED)) << "No ends it as cancelled";
}

}  // namespace
