#include "services/shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>

#include "services/code_page.h"
#include "services/handles.h"

namespace {

// Codes 1 to 8 in order.
const int kShellFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                             CSIDL_FONTS,    CSIDL_STARTMENU, CSIDL_PROGRAMS,
                             CSIDL_STARTUP,  CSIDL_APPDATA};

// IPersistFile::Save takes a wide name; MAX_PATH is also the shell's limit.
constexpr int kMaxLinkName = MAX_PATH;

// Whether the file name itself, the part after the last backslash, holds a
// dot. A dot further up belongs to a folder: a profile folder named
// "first.last" puts one into every desktop path. No byte of a two-byte
// character is a dot (trail bytes start at 0x40), but a trail byte can be a
// backslash, hence the code-page-aware search for the last one.
bool FileNameHasDot(const Text& path) {
  const size_t slash = LastBackslash(path.data(), path.size());
  const size_t nameStart = slash == path.size() ? 0 : slash + 1;
  return path.find('.', nameStart) != Text::npos;
}

// A folder path of `length` bytes as GetSpecialFolder answers it: ending in
// one backslash, or empty when the call failed (0), the path did not fit
// (MAX_PATH or more: the size it would need), or there is no room left for
// the backslash.
Text FolderPath(const char* path, UINT length) {
  if (length == 0 || length >= MAX_PATH) return Text();
  Text result(path, length);
  if (result.back() != '\\') {
    // A path of 259 bytes has no room left for the backslash under MAX_PATH.
    if (result.size() + 1 >= MAX_PATH) return Text();
    result += '\\';
  }
  return result;
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

Text GetSpecialFolder(int folderCode) {
  char path[MAX_PATH] = {};
  UINT length = 0;
  if (folderCode >= kFolderDocuments && folderCode <= kFolderAppData) {
    if (!SHGetSpecialFolderPathA(nullptr, path, kShellFolders[folderCode - 1], FALSE))
      return Text();
    length = UINT(strnlen(path, MAX_PATH));
  } else if (folderCode == kFolderWindows) {
    length = GetWindowsDirectoryA(path, MAX_PATH);
  } else if (folderCode == kFolderSystem) {
    length = GetSystemDirectoryA(path, MAX_PATH);
  } else if (folderCode == kFolderTemp) {
    length = GetTempPathA(MAX_PATH, path);
  } else {
    return Text();
  }
  return FolderPath(path, length);
}

Text GetWrittenSystemFolder() {
  if (!RunsUnderWow64()) return GetSpecialFolder(kFolderSystem);
  // The file system redirects this process's system directory to the
  // 32-bit system folder, which is no redirected name itself: 64-bit
  // programs find a file there under the same path.
  char path[MAX_PATH] = {};
  return FolderPath(path, GetSystemWow64DirectoryA(path, MAX_PATH));
}

Text ShortcutFileName(const Text& linkName) {
  return FileNameHasDot(linkName) ? linkName : linkName + ".lnk";
}

bool CreateShortcut(const Text& linkName, const Text& target, const Text* description,
                    const Text* arguments, const Text* workingDirectory) {
  const Text fileName = ShortcutFileName(linkName);
  if (fileName.size() >= size_t(kMaxLinkName)) return false;

  wchar_t wideName[kMaxLinkName];
  if (MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wideName, kMaxLinkName) == 0)
    return false;

  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive()))) return false;

  // The setters' results do not stop the save.
  link->SetPath(target.c_str());
  link->SetShowCmd(SW_SHOW);
  if (description) link->SetDescription(description->c_str());
  if (arguments) link->SetArguments(arguments->c_str());
  if (workingDirectory) link->SetWorkingDirectory(workingDirectory->c_str());

  return SUCCEEDED(file->Save(wideName, TRUE));
}

bool ReadShortcutTarget(const Text& linkFile, Text* target) {
  if (linkFile.size() >= size_t(kMaxLinkName)) return false;
  wchar_t wideName[kMaxLinkName];
  if (MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wideName, kMaxLinkName) == 0)
    return false;
  ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.Receive())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.Receive())) ||
      FAILED(file->Load(wideName, STGM_READ)))
    return false;
  // The path as it was stored, not one the shell would look up again.
  char path[MAX_PATH] = {};
  if (link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK) return false;
  *target = path;
  return true;
}
