// Fuzz target: DecodePixels, the one call in front of every decoder that
// makes pixels. Whatever the first bytes say, the record it gives is of the
// kind they name, with the buffer that kind's layout needs; icons and
// cursors (made by Windows) and unknown kinds give none.
#include "fuzz/image_fuzz.h"
#include "widgets/image/image_kind.h"
#include "widgets/image/pixel_decoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  const ImageKind kind = DetectImageKind(data, uint32_t(size));
  const bool decodable = kind != kImageIcon && kind != kImageCursor;
  return FuzzDecoder(data, size, decodable ? kind : kImageNone, DecodePixels);
}
