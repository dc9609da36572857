// Fuzz target: the window property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/window/window_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kWindowDescription, data, size);
}
