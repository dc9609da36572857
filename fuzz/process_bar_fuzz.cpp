// Fuzz target: the ProcessBar property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/process_bar/process_bar_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kProcessBarDescription, data, size);
}
