// The test bed itself: what an installation writes into the user's shell
// folders (shortcuts on the desktop and in the Start menu, documents) stays in
// the test's prefix. Run by tests/harness/home-untouched-test.sh, which gives
// Wine an empty home folder and fails when anything appears in it.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <knownfolders.h>

#include <string>

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "texts/installation.h"

namespace {

std::string FolderPath(int csidl) {
  char path[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, 0, path))) return "";
  return path;
}

std::string DownloadsPath() {
  wchar_t* wide = nullptr;
  std::string path;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, KF_FLAG_CREATE, nullptr, &wide))) {
    char bytes[MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, 0, wide, -1, bytes, MAX_PATH, nullptr, nullptr)) path = bytes;
  }
  CoTaskMemFree(wide);
  return path;
}

// A shortcut to notepad saved through the shell, as an installer makes one.
bool SaveShortcut(const std::string& lnkPath) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  bool saved = false;
  wchar_t wide[MAX_PATH];
  if (SUCCEEDED(link->SetPath("C:\\windows\\notepad.exe")) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      MultiByteToWideChar(CP_ACP, 0, lnkPath.c_str(), -1, wide, MAX_PATH)) {
    saved = SUCCEEDED(file->Save(wide, TRUE));
  }
  if (file) file->Release();
  link->Release();
  return saved && GetFileAttributesA(lnkPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(TestBed, ShortcutsOfAnInstallationAreMadeInTheShellFolders) {
  for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_PROGRAMS,
                    CSIDL_COMMON_PROGRAMS}) {
    std::string folder = FolderPath(csidl);
    ASSERT_FALSE(folder.empty()) << csidl;
    EXPECT_TRUE(SaveShortcut(folder + "\\" + kUninstallShortcutName + ".lnk")) << folder;
  }
}

TEST(TestBed, DocumentsAreWrittenInTheShellFolders) {
  for (int csidl : {CSIDL_DESKTOPDIRECTORY, CSIDL_PERSONAL, CSIDL_MYMUSIC, CSIDL_MYPICTURES,
                    CSIDL_MYVIDEO, CSIDL_TEMPLATES}) {
    std::string folder = FolderPath(csidl);
    ASSERT_FALSE(folder.empty()) << csidl;
    EXPECT_TRUE(WriteWholeFile(folder + "\\morvane-probe.txt", "x")) << folder;
  }
  std::string downloads = DownloadsPath();
  ASSERT_FALSE(downloads.empty());
  EXPECT_TRUE(WriteWholeFile(downloads + "\\morvane-probe.txt", "x")) << downloads;
}

}  // namespace
