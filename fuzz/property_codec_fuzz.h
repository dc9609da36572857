// The body shared by the property-block fuzz targets: a block that a class's
// codec reads must write back as a block of the current version that reads
// again and writes back to the same bytes.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "frame/property_codec.h"

inline int FuzzPropertyCodec(const UnitDescription& unitClass, const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  Bytes once;
  if (!RewritePropertyBlock(unitClass, ByteBlock{data, static_cast<uint32_t>(size)}, &once))
    return 0;
  ByteCursor head(ViewOf(once));
  int32_t written = 0;
  if (!head.ReadInt32(&written) || written != unitClass.blockVersion) abort();
  Bytes twice;
  if (!RewritePropertyBlock(unitClass, ViewOf(once), &twice) || twice != once) abort();
  return 0;
}
