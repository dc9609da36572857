// Where the program file lies: read once, on first use, as Windows names it.
#pragma once

#include "services/wide_text.h"

struct ProgramPath {
  WidePath folder;       // without a trailing backslash; empty when the path has none
  WidePath folderSlash;  // with one (empty when `folder` is)
  WidePath fileName;
  WidePath file;  // the whole path
};

const ProgramPath& GetProgramPath();
