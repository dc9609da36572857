#include "frame/program_path.h"

#include <windows.h>

#include "services/code_page.h"

namespace {

// "C:\dir\setup.exe" gives "C:\dir" and "setup.exe"; a path name is code
// page 936, so a backslash that is the second byte of a character does not
// split it.
ProgramPath ReadProgramPath() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length >= MAX_PATH) length = MAX_PATH - 1;
  path[length] = '\0';
  ProgramPath result;
  const size_t cut = LastBackslash(path, length);
  if (cut == length) {
    result.fileName.assign(path, length);
    return result;
  }
  result.folder.assign(path, cut);
  result.fileName.assign(path + cut + 1, length - cut - 1);
  result.folderSlash = result.folder + "\\";
  return result;
}

}  // namespace

const ProgramPath& GetProgramPath() {
  static const ProgramPath path = ReadProgramPath();
  return path;
}
