// Fuzz target: the HyperLinker property-block codec.
#include "fuzz/property_codec_fuzz.h"
#include "widgets/hyperlinker/hyperlinker_properties.h"

namespace {

// The highlight colour stands in for the system's; any colour will do.
bool Read(ByteBlock block, HyperLinkerProperties* out) {
  return ReadHyperLinkerProperties(block, 0x00D77800, out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzPropertyCodec<HyperLinkerProperties>(data, size, kHyperLinkerBlockVersion, Read,
                                                  WriteHyperLinkerProperties);
}
