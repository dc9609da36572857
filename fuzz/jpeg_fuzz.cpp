// Fuzz target: the JPEG decoder (libjpeg behind its error exit and the
// memory source).
#include "fuzz/image_fuzz.h"
#include "widgets/image/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzDecoder(data, size, kImageJpeg, DecodeJpeg);
}
