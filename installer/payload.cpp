#include "installer/payload.h"

#include <zlib.h>

#include "installer/machine_folders.h"
#include "services/files.h"

extern "C" const uint8_t MainProgramImageEnd[];
extern "C" const uint8_t UninstallerImageEnd[];
extern "C" const uint8_t ProductIconImageEnd[];
extern "C" const uint32_t MainProgramImageChecksum;
extern "C" const uint32_t UninstallerImageChecksum;
extern "C" const uint32_t ProductIconImageChecksum;

namespace {

// An embedded block: its stored form's bounds and the checksum after it.
struct EmbeddedBlock {
  const uint8_t* begin = nullptr;
  const uint8_t* end = nullptr;
  const uint32_t* checksum = nullptr;
};

EmbeddedBlock BlockOf(PayloadBlock block) {
  switch (block) {
    case PayloadBlock::MainProgram:
      return {MainProgramImage, MainProgramImageEnd, &MainProgramImageChecksum};
    case PayloadBlock::Uninstaller:
      return {UninstallerImage, UninstallerImageEnd, &UninstallerImageChecksum};
    case PayloadBlock::ProductIcon:
      return {ProductIconImage, ProductIconImageEnd, &ProductIconImageChecksum};
  }
  return EmbeddedBlock();
}

}  // namespace

bool PayloadBytes(PayloadBlock block, ByteBlock* bytes) {
  const EmbeddedBlock stored = BlockOf(block);
  return stored.begin && ReadStoredBlock(stored.begin, size_t(stored.end - stored.begin), bytes);
}

bool PayloadIntact(PayloadBlock block) {
  ByteBlock bytes;
  return PayloadBytes(block, &bytes) && ChecksumOf(bytes) == *BlockOf(block).checksum;
}

uint32_t ChecksumOf(ByteBlock bytes) {
  return uint32_t(crc32(crc32(0L, Z_NULL, 0), bytes.data, bytes.size));
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
