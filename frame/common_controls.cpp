#include "frame/common_controls.h"

#include <windows.h>
#include <commctrl.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

namespace {
HMODULE g_library = nullptr;
bool g_initialised = false;
}  // namespace

bool EnsureCommonControls() {
  if (g_initialised) return true;
  // Not imported: the program's import table names only libraries that the
  // system loads from its own directory whatever the search order.
  if (!g_library) g_library = LoadLibraryExA("comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!g_library) g_library = LoadLibraryA("comctl32.dll");
  if (!g_library) return false;
  using InitExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  using InitFn = void(WINAPI*)();
  auto initEx = reinterpret_cast<InitExFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_library, "InitCommonControlsEx")));
  if (initEx) {
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
    g_initialised = initEx(&init) != FALSE;
  } else if (auto initPlain = reinterpret_cast<InitFn>(
                 reinterpret_cast<void (*)()>(GetProcAddress(g_library, "InitCommonControls")))) {
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
