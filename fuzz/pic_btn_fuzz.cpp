// Fuzz target: the PicBtn property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/pic_btn/pic_btn_properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec(kPicBtnDescription, data, size);
}
