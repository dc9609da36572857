#include "widgets/common/property_block.h"

BlockStart StartPropertyBlock(ByteBlock block, int32_t maxVersion, ByteCursor* cursor,
                              int32_t* version) {
  *version = 0;
  if (block.size == 0) return BlockStart::Defaults;
  *cursor = ByteCursor(block);
  if (!cursor->ReadInt32(version) || *version > maxVersion) return BlockStart::Refused;
  return BlockStart::Fields;
}

void ReadLogical(ByteCursor& cursor, bool* value) {
  int32_t stored = 0;
  if (cursor.ReadInt32(&stored)) *value = stored != 0;
}
