// Fuzz target: the property-block codec, over every class of the widget set.
// The input's first byte picks the class (its place in the widget set's
// list, modulo the number of classes), so that one target and one corpus
// serve them all and a mutation may carry one class's block to another; the
// rest of the input is the block. A block that the codec reads must write
// back as a block of the current version that reads again and writes back
// to the same bytes.
#include <cstdint>
#include <cstdlib>

#include "frame/property_codec.h"
#include "widgets/widget_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size - 1 > UINT32_MAX) return 0;
  const WidgetSet set = AllWidgetClasses();
  const UnitDescription& unitClass = *set.classes[data[0] % set.count];
  Bytes once;
  if (!RewritePropertyBlock(unitClass, ByteBlock{data + 1, static_cast<uint32_t>(size - 1)}, &once))
    return 0;
  ByteCursor head(ViewOf(once));
  int32_t written = 0;
  if (!head.ReadInt32(&written) || written != unitClass.blockVersion) abort();
  Bytes twice;
  if (!RewritePropertyBlock(unitClass, ViewOf(once), &twice) || twice != once) abort();
  return 0;
}
