// Fuzz target: the PicBox property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/pic_box/pic_box_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kPicBoxDescription, data, size);
}
