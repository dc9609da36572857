// The names under which the file service writes a file before it moves it
// over its target: beside the target, in the same folder, so that the move
// is one step of one file system, and recognisably ours, so that what a
// crash left behind can be found and removed again. Pure code: builds for
// Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"

// "<target>.morvane-XXXXXXXX.tmp": the target's path, ".morvane-", the
// number as eight hexadecimal digits (0-9, A-F) and ".tmp".
Text TemporaryFileName(const Text& target, uint32_t unique);
// What follows the target's path in that name: ".morvane-XXXXXXXX.tmp",
// ASCII, so that it joins a path of any form.
Text TemporaryFileSuffix(uint32_t unique);

// The search pattern that finds them all beside the target:
// "<target>.morvane-*.tmp". A Windows search also matches short names, so
// each match is checked with IsTemporaryFileOf.
Text TemporaryFilePattern(const Text& target);

// Whether `name`, a name within a folder as a search gives it, is exactly a
// temporary name of the target whose file name (without its folder) is
// `targetName`.
bool IsTemporaryFileOf(const Text& name, const Text& targetName);
// Whether `rest`, what follows the target's file name in a name within its
// folder, is exactly such a suffix.
bool IsTemporaryFileSuffix(const Text& rest);

// The file name of a path: what follows its last backslash, the whole path
// when it has none.
Text FileNameOf(const Text& path);
