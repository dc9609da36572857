#include "frame/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#include "services/system_library.h"

namespace {
HMODULE g_library = nullptr;
bool g_initialised = false;
}  // namespace

bool EnsureCommonControls() {
  if (g_initialised) return true;
  // Not imported: the program's import table names only libraries that the
  // system loads from its own directory whatever the search order. Loaded by
  // name, unlike the other system libraries (system_library.h): the
  // manifest's version 6 is found through the side-by-side redirection, which
  // a full path bypasses (the system directory holds version 5). The
  // redirection comes first in either search, the second only for Windows 7
  // without KB2533623, which does not know the flag.
  if (!g_library)
    g_library = LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!g_library) g_library = LoadLibraryW(L"comctl32.dll");
  if (!g_library) return false;
  using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  using InitFn = void(WINAPI*)();
  if (auto initEx = OptionalFunction<InitExFn>(g_library, "InitCommonControlsEx")) {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    g_initialised = initEx(&init) != FALSE;
  } else if (auto initPlain = OptionalFunction<InitFn>(g_library, "InitCommonControls")) {
    initPlain();
    g_initialised = true;
  }
  return g_initialised;
}

void ReleaseCommonControls() {
  // Only after every window of its classes is gone (shutdown).
  if (g_library) FreeLibrary(g_library);
  g_library = nullptr;
  g_initialised = false;
}
