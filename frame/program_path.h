// Where the program file lies: read once, on first use.
#pragma once

#include "services/values.h"

struct ProgramPath {
  Text folder;       // without a trailing backslash; empty when the path has none
  Text folderSlash;  // with one (empty when `folder` is)
  Text fileName;
};

const ProgramPath& GetProgramPath();
