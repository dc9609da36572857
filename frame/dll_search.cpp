#include "frame/dll_search.h"

#include <windows.h>

#include <string>

#include "services/system_library.h"

namespace {

// System libraries that system libraries load by bare name, on their first
// use, while the program runs. The restricted search order does not reach
// those loads everywhere: Windows Vista and 7 without KB2533623 have no
// SetDefaultDllDirectories, and under Wine the delayed imports of its system
// libraries still search the program's folder. A library already loaded is
// found by its name without a search, so each is loaded here first, by its
// full path in the system directory.
const char* const kPreloadedLibraries[] = {
    // comctl32 6 (the manifest's common controls) for the first themed
    // window or message box: OpenThemeData and the theme drawing.
    "uxtheme.dll",
    // uxtheme, when it draws the first theme part (AlphaBlend,
    // TransparentBlt, GradientFill).
    "msimg32.dll",
};

[[maybe_unused]] void PreloadSystemLibraries() {
  // With the altered search path, what the library itself imports is looked
  // for in the system directory too, even where SetDefaultDllDirectories is
  // missing. Kept loaded for the life of the process.
  for (const char* name : kPreloadedLibraries) LoadSystemLibrary(name);
}

// A component "." or "..", or a forward slash: Windows rewrites those in a
// plain path, and takes them literally in the "\\?\" form.
bool NeedsRewriting(const std::wstring& path) {
  if (path.find(L'/') != std::wstring::npos) return true;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    const std::wstring component = path.substr(start, end - start);
    if (component == L"." || component == L"..") return true;
    start = end + 1;
  }
  return false;
}

// The path of `module`'s file, however long: GetModuleFileNameW fills the
// buffer and answers its size when the path is longer. Empty when it fails.
std::wstring ModuleFilePath(HMODULE module) {
  // The longest path that Windows holds, in UTF-16 units with the NUL.
  const size_t kLongestPath = 32768;
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, &path[0], DWORD(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= kLongestPath) return std::wstring();
    path.resize(path.size() * 2 < kLongestPath ? path.size() * 2 : kLongestPath);
  }
}

}  // namespace

std::wstring ExtendedLengthPath(const std::wstring& path) {
  if (path.compare(0, 4, L"\\\\?\\") == 0) return path;
  if (NeedsRewriting(path)) return std::wstring();
  const bool drive =
      path.size() >= 3 &&
      ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
      path[1] == L':' && path[2] == L'\\';
  if (drive) return L"\\\\?\\" + path;
  // "\\server\share\...", not a device path ("\\.\", "\\?\" above).
  const bool share = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'.' &&
                     path[2] != L'?' && path[2] != L'\\';
  if (share) return L"\\\\?\\UNC\\" + path.substr(2);
  return std::wstring();
}

// The loader appends ".local" to the program's path as the process was
// started with, which is what GetModuleFileName answers. Looked for as
// Windows holds the name, never converted: a name without a code-page-936
// form is found too; and in the "\\?\" form, which has no MAX_PATH limit.
bool LibrariesRedirectedFor(HMODULE module) {
  std::wstring redirection = ExtendedLengthPath(ModuleFilePath(module));
  // Nothing then says that no such folder is there.
  if (redirection.empty()) return true;
  redirection += L".local";
  return GetFileAttributesW(redirection.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RestrictDllSearch() {
#ifndef MORVANE_WITHOUT_DLL_MEND  // only the test that proves this matters builds without it
  // Windows 8 and later, and Windows 7 with KB2533623: looked up, because
  // importing it would keep the program from starting without the update.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const SystemLibrary kernel("kernel32.dll");
  auto setDefault =
      OptionalFunction<SetDefaultDllDirectoriesFn>(kernel.Get(), "SetDefaultDllDirectories");
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Takes the current directory out of the search order as well; the
  // program makes its own folder the current directory later on.
  SetDllDirectoryW(L"");
#endif
  // Before the first library is loaded: with the redirection in place, even
  // the preload by full path would take the redirected copies.
  if (LibrariesRedirectedFor(nullptr)) return false;
#if !defined(MORVANE_WITHOUT_DLL_MEND) && !defined(MORVANE_WITHOUT_DLL_PRELOAD)
  // (Built without it only for the tests' proof that the preload matters.)
  PreloadSystemLibraries();
#endif
  return true;
}
