// The body shared by the property-block fuzz targets: a block that a codec
// reads must write back as a block of the current version that reads again
// and writes back to the same bytes.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "widgets/common/property_block.h"

template <typename Properties>
int FuzzPropertyCodec(const uint8_t* data, size_t size, int32_t version,
                      bool (*read)(ByteBlock, Properties*),
                      bool (*write)(const Properties&, Bytes*)) {
  if (size > UINT32_MAX) return 0;
  Properties properties;
  if (!read(ByteBlock{data, static_cast<uint32_t>(size)}, &properties)) return 0;
  Bytes once;
  if (!write(properties, &once)) abort();
  ByteCursor head(ViewOf(once));
  int32_t written = 0;
  if (!head.ReadInt32(&written) || written != version) abort();
  Properties again;
  if (!read(ViewOf(once), &again)) abort();
  Bytes twice;
  if (!write(again, &twice) || twice != once) abort();
  return 0;
}
