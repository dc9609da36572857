// Libraries planted in the setup program's folder under the names of system
// libraries are never loaded by the running program. Wine reaches a planted
// library only when its load order allows native code: the test runs with
// WINEDLLOVERRIDES=version,uxtheme,dwmapi,winmm=n,b. None of the four is one
// of the KnownDLLs, which would be protected anyway.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"
#include "tests/wine/frame/gui_driver.h"

namespace {

const char* const kPlanted[] = {"version.dll", "uxtheme.dll", "dwmapi.dll", "winmm.dll"};

// Arguments: the probe, the probe built without the restricted search, the
// setup program, the folder of the planted libraries.
std::string Argument(int index) { return HostPath(TestArgument(index)); }

std::string FileName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// A folder like a downloads folder: the program and the planted libraries.
std::string PlantBeside(const char* folderName, const std::string& program) {
  std::string folder = MakeScratchFolder(folderName);
  EXPECT_TRUE(CopyFileA(program.c_str(), (folder + "\\" + FileName(program)).c_str(), FALSE));
  for (const char* name : kPlanted)
    EXPECT_TRUE(
        CopyFileA((Argument(3) + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE))
        << name;
  return folder;
}

std::vector<std::string> PlantedLibrariesLoaded(const std::string& folder) {
  std::vector<std::string> loaded;
  for (const char* name : kPlanted)
    if (GetFileAttributesA((folder + "\\" + name + ".loaded").c_str()) != INVALID_FILE_ATTRIBUTES)
      loaded.push_back(name);
  return loaded;
}

// Runs the probe from the planted folder and answers which planted
// libraries it loaded.
std::vector<std::string> RunProbe(const char* folderName, const std::string& probe) {
  const std::string folder = PlantBeside(folderName, probe);
  const std::string program = folder + "\\" + FileName(probe);
  RunningProgram run = StartProgram("\"" + program + "\" \"" + folder + "\\log.txt\"");
  EXPECT_TRUE(run.started);
  DWORD code = 99;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(code, 0u);
  std::string log;
  EXPECT_TRUE(ReadWholeFile(folder + "\\log.txt", &log)) << "the probe did not start its window";
  return PlantedLibrariesLoaded(folder);
}

TEST(DllSearch, PlantedLibrariesAreNeverLoaded) {
  EXPECT_EQ(RunProbe("dll-mend", Argument(0)), std::vector<std::string>());
}

// Under Wine the libraries that its own system libraries already hold are
// not loaded again, so not all four show; any one is a planted library run.
TEST(DllSearch, TheSameCheckCatchesAProgramWithoutTheRestriction) {
  EXPECT_NE(RunProbe("dll-no-mend", Argument(1)), std::vector<std::string>());
}

TEST(DllSearch, TheSetupProgramLoadsNoneOfThemEither) {
  const std::string folder = PlantBeside("dll-setup", Argument(2));
  RunningProgram run = StartProgram("\"" + folder + "\\" + FileName(Argument(2)) + "\"");
  ASSERT_TRUE(run.started);
  MessageBoxSeen seen;
  // Until its widget classes exist, the start window is reported missing.
  if (WaitForMessageBox(run, 20000, &seen)) ClickBoxButton(seen, IDOK);
  DWORD code = 0;
  EXPECT_TRUE(WaitForExit(&run, 20000, &code));
  EXPECT_EQ(PlantedLibrariesLoaded(folder), std::vector<std::string>());
}

}  // namespace
