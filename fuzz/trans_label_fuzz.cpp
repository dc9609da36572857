// Fuzz target: the TransLabel property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/trans_label/trans_label_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kTransLabelDescription, data, size);
}
