// Fuzz target: the EditBox property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/edit_box/edit_box_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kEditBoxDescription, data, size);
}
