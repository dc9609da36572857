#include "frame/program_path.h"

#include <windows.h>

namespace {

// "C:\dir\setup.exe" gives "C:\dir" and "setup.exe". The path stays as
// Windows gives it: a downloads folder in a profile whose name code page 936
// cannot write is still that folder.
ProgramPath ReadProgramPath() {
  wchar_t wide[MAX_PATH] = {};
  DWORD units = GetModuleFileNameW(nullptr, wide, MAX_PATH);
  if (units >= MAX_PATH) units = MAX_PATH - 1;
  ProgramPath result;
  result.file = WidePath::OfUnits(wide, units);
  const size_t cut = result.file.LastBackslash();
  if (cut == result.file.Length()) {
    result.fileName = result.file;
    return result;
  }
  result.folder = result.file.Head(cut);
  result.fileName = result.file.Tail(cut + 1);
  result.folderSlash = result.file.Head(cut + 1);
  return result;
}

}  // namespace

const ProgramPath& GetProgramPath() {
  static const ProgramPath path = ReadProgramPath();
  return path;
}
