#include "frame/dll_search.h"

#include <windows.h>

#ifndef LOAD_LIBRARY_SEARCH_SYSTEM32
#define LOAD_LIBRARY_SEARCH_SYSTEM32 0x00000800
#endif

void RestrictDllSearch() {
#ifndef MORVANE_WITHOUT_DLL_MEND  // only the test that proves this matters builds without it
  // Windows 8 and later, and Windows 7 with KB2533623: looked up, because
  // importing it would keep the program from starting without the update.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Takes the current directory out of the search order as well; the
  // program makes its own folder the current directory later on.
  SetDllDirectoryA("");
#endif
}
