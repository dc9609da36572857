#include "services/system_library.h"

#include "services/wide_text.h"

HMODULE LoadSystemLibrary(const char* fileName) {
  wchar_t folder[MAX_PATH];
  const UINT folderLength = GetSystemDirectoryW(folder, MAX_PATH);
  if (folderLength == 0 || folderLength >= MAX_PATH) return nullptr;
  // The folder as Windows names it: whatever its name, the library is
  // looked for there and nowhere else.
  const WidePath path = WidePath::OfUnits(folder, folderLength) + "\\" + fileName;
  if (path.Length() >= MAX_PATH) return nullptr;
  return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
