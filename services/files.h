// Files and directories: thin, synchronous operations through the ANSI
// entry points. Paths go to Windows unchanged. Every failure is a false.
#pragma once

#include <cstddef>

#include "services/values.h"

// Creates or truncates `fileName` (share mode 0) and writes the blocks back
// to back, each in one WriteFile call. True only when the file was opened,
// every byte was written and the handle closed. After a failed write the
// file stays as far as it got.
bool WriteBytesToFile(const Text& fileName, const ByteBlock* blocks, size_t count);

inline bool WriteBytesToFile(const Text& fileName, ByteBlock block) {
  return WriteBytesToFile(fileName, &block, 1);
}

// Creates exactly one directory level. False when the name exists already,
// the parent is missing, or Windows refuses.
bool CreateFolder(const Text& path);

// True when at least one file or directory matches `pattern` as the Windows
// search sees it: wildcards in the last component count, a trailing
// backslash never matches.
bool FileExists(const Text& pattern);
