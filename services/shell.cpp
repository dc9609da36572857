#include "services/shell.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

#include "services/code_page.h"
#include "services/handles.h"
#include "services/wide_text.h"

namespace {

// Codes 1 to 8 in order.
const int kShellFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                             CSIDL_FONTS,    CSIDL_STARTMENU, CSIDL_PROGRAMS,
                             CSIDL_STARTUP,  CSIDL_APPDATA};

// MAX_PATH, the shell's limit for the names of its links.
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

// A folder path of `length` units as Windows answers it, in the form of
// GetSpecialFolder: ending in one backslash, or empty when the call failed
// (0), the path did not fit (MAX_PATH or more: the size it would need), or
// there is no room left for the backslash. The room is MAX_PATH bytes of
// code page 936, as the program's paths have it.
Text FolderPath(const wchar_t* path, UINT length) {
  if (length == 0 || length >= MAX_PATH) return Text();
  Text result = TextOfWide(path, length);
  if (result.empty() || result.size() >= MAX_PATH) return Text();
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
  wchar_t path[MAX_PATH] = {};
  UINT length = 0;
  if (folderCode >= kFolderDocuments && folderCode <= kFolderAppData) {
    if (!SHGetSpecialFolderPathW(nullptr, path, kShellFolders[folderCode - 1], FALSE))
      return Text();
    length = UINT(wcsnlen(path, MAX_PATH));
  } else if (folderCode == kFolderWindows) {
    length = GetWindowsDirectoryW(path, MAX_PATH);
  } else if (folderCode == kFolderSystem) {
    length = GetSystemDirectoryW(path, MAX_PATH);
  } else if (folderCode == kFolderTemp) {
    length = GetTempPathW(MAX_PATH, path);
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
  wchar_t path[MAX_PATH] = {};
  return FolderPath(path, GetSystemWow64DirectoryW(path, MAX_PATH));
}

Text ShortcutFileName(const Text& linkName) {
  return FileNameHasDot(linkName) ? linkName : linkName + ".lnk";
}

namespace {

// A shell link object and its file side, for the link file of `fileName`,
// or false. COM must be initialised on the calling thread.
struct ShellLinkFile {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  WideText name;
};

bool OpenShellLink(const Text& fileName, ShellLinkFile* opened) {
  if (fileName.size() >= size_t(kMaxLinkName)) return false;
  opened->name = WideText(fileName);
  return !opened->name.Empty() &&
         SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    opened->link.Receive())) &&
         SUCCEEDED(opened->link->QueryInterface(IID_IPersistFile, opened->file.Receive()));
}

}  // namespace

bool CreateShortcut(const Text& linkName, const Text& target, const Text* description,
                    const Text* arguments, const Text* workingDirectory) {
  ShellLinkFile shortcut;
  if (!OpenShellLink(ShortcutFileName(linkName), &shortcut)) return false;
  IShellLinkW* link = shortcut.link.Get();
  // The setters' results do not stop the save.
  link->SetPath(WideText(target).c_str());
  link->SetShowCmd(SW_SHOW);
  if (description) link->SetDescription(WideText(*description).c_str());
  if (arguments) link->SetArguments(WideText(*arguments).c_str());
  if (workingDirectory) link->SetWorkingDirectory(WideText(*workingDirectory).c_str());
  return SUCCEEDED(shortcut.file->Save(shortcut.name.c_str(), TRUE));
}

bool ReadShortcutTarget(const Text& linkFile, Text* target) {
  ShellLinkFile shortcut;
  if (!OpenShellLink(linkFile, &shortcut) ||
      FAILED(shortcut.file->Load(shortcut.name.c_str(), STGM_READ)))
    return false;
  // The target as the link's item list holds it, which is what the shell
  // follows: the path stored beside it may be kept in the ANSI code page
  // alone (Wine's links keep it so), which loses every character that code
  // page lacks. A link without an item list has its stored path, not one
  // the shell would look up again.
  wchar_t path[MAX_PATH] = {};
  PIDLIST_ABSOLUTE items = nullptr;
  const bool fromItems =
      SUCCEEDED(shortcut.link->GetIDList(&items)) && items && SHGetPathFromIDListW(items, path);
  CoTaskMemFree(items);
  if (!fromItems && shortcut.link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK)
    return false;
  *target = TextOfWide(path);
  return true;
}
