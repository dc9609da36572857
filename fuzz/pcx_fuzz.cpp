// Fuzz target: the PCX decoder, 8-bit and 1-bit.
#include "fuzz/image_fuzz.h"
#include "widgets/image/pcx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzDecoder(data, size, kImagePcx8, DecodePcx, kImagePcx1);
}
