#include "services/shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cwchar>

#include "services/system_library.h"
#include "services/handles.h"

namespace {

// shell32 is not imported: the system would load it, and shcore and shlwapi
// with it, before the program's first instruction, and the start window
// needs none of them. Loaded from the system directory on the first call
// that needs it, and kept for the life of the process (a link opened by the
// shell may still run on its threads). nullptr where it cannot be loaded.
HMODULE ShellLibrary() {
  static const HMODULE shell = LoadSystemLibrary("shell32.dll");
  return shell;
}

template <typename Fn>
Fn ShellFunction(const char* name) {
  return OptionalFunction<Fn>(ShellLibrary(), name);
}

// Codes 1 to 8 in order.
const int kShellFolders[] = {CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY,
                             CSIDL_FONTS,    CSIDL_STARTMENU, CSIDL_PROGRAMS,
                             CSIDL_STARTUP,  CSIDL_APPDATA};

// MAX_PATH, the shell's limit for the names of its links.
constexpr size_t kMaxLinkName = MAX_PATH;

// Whether the file name itself, the part after the last backslash, holds a
// dot. A dot further up belongs to a folder: a profile folder named
// "first.last" puts one into every desktop path.
bool FileNameHasDot(const WidePath& path) {
  const size_t slash = path.LastBackslash();
  const size_t nameStart = slash == path.Length() ? 0 : slash + 1;
  return wcschr(path.c_str() + nameStart, L'.') != nullptr;
}

// A folder path of `length` units as Windows answers it, in the form of
// GetSpecialFolder: ending in one backslash, or empty when the call failed
// (0), the path did not fit (MAX_PATH or more: the size it would need), or
// there is no room left for the backslash.
WidePath FolderPath(const wchar_t* path, UINT length) {
  if (length == 0 || length >= MAX_PATH) return WidePath();
  WidePath result = WidePath::OfUnits(path, length);
  if (result.Last() != L'\\') {
    // A path of 259 units has no room left for the backslash under MAX_PATH.
    if (result.Length() + 1 >= MAX_PATH) return WidePath();
    result += "\\";
  }
  return result;
}

bool RunsUnderWow64() {
  BOOL wow64 = FALSE;
  return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

}  // namespace

WidePath GetSpecialFolder(int folderCode) {
  wchar_t path[MAX_PATH] = {};
  UINT length = 0;
  if (folderCode >= kFolderDocuments && folderCode <= kFolderAppData) {
    using GetFolderPathFn = BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL);
    auto getFolderPath = ShellFunction<GetFolderPathFn>("SHGetSpecialFolderPathW");
    if (!getFolderPath || !getFolderPath(nullptr, path, kShellFolders[folderCode - 1], FALSE))
      return WidePath();
    length = UINT(wcsnlen(path, MAX_PATH));
  } else if (folderCode == kFolderWindows) {
    length = GetWindowsDirectoryW(path, MAX_PATH);
  } else if (folderCode == kFolderSystem) {
    length = GetSystemDirectoryW(path, MAX_PATH);
  } else if (folderCode == kFolderTemp) {
    length = GetTempPathW(MAX_PATH, path);
  } else {
    return WidePath();
  }
  return FolderPath(path, length);
}

WidePath GetWrittenSystemFolder() {
  if (!RunsUnderWow64()) return GetSpecialFolder(kFolderSystem);
  // The file system redirects this process's system directory to the
  // 32-bit system folder, which is no redirected name itself: 64-bit
  // programs find a file there under the same path.
  wchar_t path[MAX_PATH] = {};
  return FolderPath(path, GetSystemWow64DirectoryW(path, MAX_PATH));
}

WidePath ShortcutFileName(const WidePath& linkName) {
  return FileNameHasDot(linkName) ? linkName : linkName + ".lnk";
}

namespace {

// A shell link object and its file side, for the link file of `fileName`,
// or false. COM must be initialised on the calling thread.
struct ShellLinkFile {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
  WidePath name;
};

bool OpenShellLink(const WidePath& fileName, ShellLinkFile* opened) {
  if (fileName.Length() >= kMaxLinkName) return false;
  opened->name = fileName;
  return !opened->name.Empty() &&
         SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    opened->link.Receive())) &&
         SUCCEEDED(opened->link->QueryInterface(IID_IPersistFile, opened->file.Receive()));
}

}  // namespace

bool CreateShortcut(const WidePath& linkName, const WidePath& target, const Text* description,
                    const Text* arguments, const WidePath* workingDirectory) {
  ShellLinkFile shortcut;
  if (!OpenShellLink(ShortcutFileName(linkName), &shortcut)) return false;
  IShellLinkW* link = shortcut.link.Get();
  // The setters' results do not stop the save.
  link->SetPath(target.c_str());
  link->SetShowCmd(SW_SHOW);
  if (description) link->SetDescription(WideText(*description).c_str());
  if (arguments) link->SetArguments(WideText(*arguments).c_str());
  if (workingDirectory) link->SetWorkingDirectory(workingDirectory->c_str());
  return SUCCEEDED(shortcut.file->Save(shortcut.name.c_str(), TRUE));
}

bool ReadShortcutTarget(const WidePath& linkFile, WidePath* target) {
  ShellLinkFile shortcut;
  if (!OpenShellLink(linkFile, &shortcut) ||
      FAILED(shortcut.file->Load(shortcut.name.c_str(), STGM_READ)))
    return false;
  // The target as the link's item list holds it, which is what the shell
  // follows: the path stored beside it may be kept in the ANSI code page
  // alone (Wine's links keep it so), which loses every character that code
  // page lacks. A link without an item list has its stored path, not one
  // the shell would look up again.
  using PathFromItemsFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPWSTR);
  auto pathFromItems = ShellFunction<PathFromItemsFn>("SHGetPathFromIDListW");
  wchar_t path[MAX_PATH] = {};
  PIDLIST_ABSOLUTE items = nullptr;
  const bool fromItems = pathFromItems && SUCCEEDED(shortcut.link->GetIDList(&items)) && items &&
                         pathFromItems(items, path);
  CoTaskMemFree(items);
  if (!fromItems && shortcut.link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH) != S_OK)
    return false;
  *target = WidePath::OfUnits(path);
  return true;
}

bool OpenWithShell(const WideText& target, int showCommand) {
  using ExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  auto execute = ShellFunction<ExecuteFn>("ShellExecuteW");
  if (!execute) return false;
  // Above 32 is success; the smaller values are the error codes.
  return INT_PTR(execute(nullptr, L"open", target.c_str(), nullptr, nullptr, showCommand)) > 32;
}
