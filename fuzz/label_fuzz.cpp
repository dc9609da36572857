// Fuzz target: the Label property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/label/label_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kLabelDescription, data, size);
}
