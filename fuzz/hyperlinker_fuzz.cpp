// Fuzz target: the HyperLinker property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kHyperLinkerDescription, data, size);
}
