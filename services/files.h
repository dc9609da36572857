// Files and directories: thin, synchronous operations through the wide
// entry points. Paths are WidePaths (services/wide_text.h): as Windows names
// a folder, or the program's own code-page-936 paths. Every failure is a
// false.
#pragma once

#include <cstddef>
#include <vector>

#include "services/values.h"
#include "services/wide_text.h"

// Writes the blocks back to back into a new file beside `fileName` (created
// under a temporary name of its own, services/temporary_file_name.h, never
// one that exists), flushes it to the disk and moves it over `fileName` in
// one step. True only when all of that succeeded: the file then holds
// exactly the blocks, and they are on the disk. On any failure (no room, a
// missing folder, a file that another process holds open, such as a running
// program, which Windows does not let be replaced) the new file is deleted
// and whatever stood at `fileName` stays as it was.
bool WriteBytesToFile(const WidePath& fileName, const ByteBlock* blocks, size_t count);

inline bool WriteBytesToFile(const WidePath& fileName, ByteBlock block) {
  return WriteBytesToFile(fileName, &block, 1);
}

// The files that writes to `target` left under their temporary names beside
// it (a crash, a power cut between the write and the move), as full paths;
// only files, only names of the writer's own form.
std::vector<WidePath> LeftoverTemporaryFiles(const WidePath& target);

// Creates exactly one directory level. False when the name exists already,
// the parent is missing, or Windows refuses.
bool CreateFolder(const WidePath& path);

// True when at least one file or directory matches `pattern` as the Windows
// search sees it: wildcards in the last component count, a trailing
// backslash never matches.
bool FileExists(const WidePath& pattern);

// What DeleteFileAt and RemoveEmptyFolder found.
enum class Removal { Removed, NotFound, Failed };

// Deletes one file. A link is deleted itself, never what it leads to; a
// folder is not a file here (Failed).
Removal DeleteFileAt(const WidePath& path);

// Removes a folder when it is empty; one that still holds something stays
// (Failed). A folder that is a link or junction is removed as the link only.
Removal RemoveEmptyFolder(const WidePath& path);

// Whether the path is a link or a junction (a reparse point): what lies
// behind it is not the place its name says.
bool IsLinkOrJunction(const WidePath& path);

// Whether a file or folder of exactly that name exists (no wildcards).
bool PathExists(const WidePath& path);
