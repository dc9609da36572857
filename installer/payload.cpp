#include "installer/payload.h"

#include "installer/machine_folders.h"
#include "services/files.h"

extern "C" const uint8_t MainProgramImageEnd[];
extern "C" const uint8_t UninstallerImageEnd[];
extern "C" const uint8_t ProductIconImageEnd[];

bool PayloadBytes(PayloadBlock block, ByteBlock* bytes) {
  const uint8_t* begin = nullptr;
  const uint8_t* end = nullptr;
  switch (block) {
    case PayloadBlock::MainProgram:
      begin = MainProgramImage, end = MainProgramImageEnd;
      break;
    case PayloadBlock::Uninstaller:
      begin = UninstallerImage, end = UninstallerImageEnd;
      break;
    case PayloadBlock::ProductIcon:
      begin = ProductIconImage, end = ProductIconImageEnd;
      break;
  }
  return begin && ReadStoredBlock(begin, size_t(end - begin), bytes);
}

void PrepareFolder(const InstalledFolder& folder) {
  // FileExists is satisfied by a plain file of that name too; the write of
  // the main program then fails and says so.
  const WidePath path = PathOnMachine(folder.path);
  if (!path.Empty() && !FileExists(path)) CreateFolder(path);
}

bool WriteFileItem(const FileItem& file) {
  ByteBlock bytes;
  const WidePath path = PathOnMachine(file.path);
  return !path.Empty() && PayloadBytes(file.block, &bytes) && WriteBytesToFile(path, bytes);
}
