#include "installer/payload.h"

#include <cstring>

#include "services/files.h"
#include "services/shell.h"

ByteBlock PayloadBytes(const uint8_t* storedBlock) {
  // The blocks are made by the build, so their header is known to be sound;
  // the byte count is the second word.
  ByteBlock block;
  uint32_t size;
  memcpy(&size, storedBlock + 4, sizeof(size));
  block.data = storedBlock + kStoredBlockHeader;
  block.size = size;
  return block;
}

void PrepareInstallFolder() {
  // FileExists is satisfied by a plain file of that name too; the write of
  // the main program then fails and says so.
  if (!FileExists(kInstallFolder)) CreateFolder(kInstallFolder);
}

bool WritePayload(const Text& path, const uint8_t* storedBlock) {
  return WriteBytesToFile(path, PayloadBytes(storedBlock));
}

// The path is both where the icon is written and what the file class names
// for the shell, so it names the folder the file really goes to: on 64-bit
// Windows the 64-bit shell reads "System32" as its own folder, where the
// setup program's write never arrives.
Text ProductIconPath() { return GetWrittenSystemFolder() + kIconFileName; }
