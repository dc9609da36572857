// Fuzz target: the BMP decoder.
#include "fuzz/image_fuzz.h"
#include "widgets/image/bmp_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzDecoder(data, size, kImageBmp, DecodeBmp);
}
