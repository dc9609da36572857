#include "frame/dll_search.h"

#include <windows.h>

#include "frame/system_library.h"

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

// True when "<program file>.local" exists beside the program: the loader
// appends ".local" to the program's path as the process was started with,
// which is what GetModuleFileName answers. Looked for as Windows holds the
// name, never converted: a name without a code-page-936 form is found too.
bool LibrariesRedirected() {
  const wchar_t kSuffix[] = L".local";
  wchar_t path[MAX_PATH + sizeof kSuffix / sizeof kSuffix[0]];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  // Programs are started from paths shorter than MAX_PATH.
  if (length == 0 || length >= MAX_PATH) return false;
  memcpy(path + length, kSuffix, sizeof kSuffix);
  return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

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
  if (LibrariesRedirected()) return false;
#if !defined(MORVANE_WITHOUT_DLL_MEND) && !defined(MORVANE_WITHOUT_DLL_PRELOAD)
  // (Built without it only for the tests' proof that the preload matters.)
  PreloadSystemLibraries();
#endif
  return true;
}
