#include "services/values.h"

#include <cstring>

#include "services/little_endian.h"

namespace {

void AppendU32(uint32_t v, std::string* out) {
  uint8_t bytes[4];
  StoreLe32(v, bytes);
  out->append(reinterpret_cast<const char*>(bytes), 4);
}

}  // namespace

bool ReadStoredBlock(const uint8_t* stored, size_t available, ByteBlock* out) {
  if (available < kStoredBlockHeader || LoadLe32(stored) != 1) return false;
  uint32_t size = LoadLe32(stored + 4);
  if (size > available - kStoredBlockHeader) return false;
  out->data = stored + kStoredBlockHeader;
  out->size = size;
  return true;
}

void AppendStoredBlock(ByteBlock block, std::string* out) {
  AppendU32(1, out);
  AppendU32(block.size, out);
  if (block.size) out->append(reinterpret_cast<const char*>(block.data), block.size);
}
