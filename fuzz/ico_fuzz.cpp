// Fuzz target: the directory of an icon or cursor file and the size of the
// chosen image, for both wanted widths. A chosen image must lie inside the
// file, and its header must not claim more bytes than the image has.
#include <cstdint>
#include <cstdlib>

#include "frame/icon_directory.h"
#include "widgets/image/image_kind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > UINT32_MAX) return 0;
  const ByteBlock file{data, uint32_t(size)};
  DetectImageKind(file);
  for (int wanted : {kPictureIconWidth, kSmallIconWidth}) {
    IconEntryChoice choice;
    if (!ChooseIconEntry(file, wanted, &choice)) continue;
    if (choice.image.data < data || choice.image.size == 0 ||
        choice.image.data + choice.image.size > data + size)
      abort();
    IconImageSize imageSize;
    if (ReadIconImageSize(choice.image, &imageSize) &&
        (imageSize.width <= 0 || imageSize.height <= 0))
      abort();
  }
  return 0;
}
