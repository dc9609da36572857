#include "frame/program_path.h"

#include <windows.h>

#include "services/code_page.h"
#include "services/wide_text.h"

namespace {

// "C:\dir\setup.exe" gives "C:\dir" and "setup.exe"; a path name is code
// page 936, so a backslash that is the second byte of a character does not
// split it.
ProgramPath ReadProgramPath() {
  wchar_t wide[MAX_PATH] = {};
  DWORD units = GetModuleFileNameW(nullptr, wide, MAX_PATH);
  if (units >= MAX_PATH) units = MAX_PATH - 1;
  const Text path = TextOfWide(wide, units);
  const size_t length = path.size();
  ProgramPath result;
  const size_t cut = LastBackslash(path.data(), length);
  if (cut == length) {
    result.fileName = path;
    return result;
  }
  result.folder.assign(path, 0, cut);
  result.fileName.assign(path, cut + 1, length - cut - 1);
  result.folderSlash = result.folder + "\\";
  return result;
}

}  // namespace

const ProgramPath& GetProgramPath() {
  static const ProgramPath path = ReadProgramPath();
  return path;
}
