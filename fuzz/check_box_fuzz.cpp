// Fuzz target: the CheckBox property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/check_box/check_box_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kCheckBoxDescription, data, size);
}
