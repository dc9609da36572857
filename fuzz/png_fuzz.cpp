// Fuzz target: the PNG decoder, and the blend of what it decodes.
#include "fuzz/image_fuzz.h"
#include "widgets/image/alpha_blend.h"
#include "widgets/image/png_decoder.h"

namespace {

bool DecodeAndBlend(ByteBlock file, DecodedImage* out) {
  if (!DecodePng(file, out)) return false;
  BlendOverBackground(out->pixels, out->pixels, size_t(out->width) * size_t(out->height),
                      0x00FF4646);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzDecoder(data, size, kImagePng, DecodeAndBlend);
}
