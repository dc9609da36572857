#include "services/values.h"

#include <cstring>

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void AppendU32(uint32_t v, std::string* out) {
  const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  out->append(bytes, 4);
}

}  // namespace

bool ReadStoredBlock(const uint8_t* stored, size_t available, ByteBlock* out) {
  if (available < kStoredBlockHeader || ReadU32(stored) != 1) return false;
  uint32_t size = ReadU32(stored + 4);
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
