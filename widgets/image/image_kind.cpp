#include "widgets/image/image_kind.h"

#include "services/little_endian.h"

ImageKind DetectImageKind(const uint8_t* data, uint32_t size) {
  if (data == nullptr || size < 8) return kImageNone;
  const uint8_t* b = data;
  if (b[0] == 'B' && b[1] == 'M') return kImageBmp;
  if (b[0] == 0xFF && b[1] == 0xD8) return kImageJpeg;
  if (LoadLe32(b) == 0x474E5089) return kImagePng;
  if (LoadLe16(b) == 0 && LoadLe16(b + 4) > 0) {
    if (LoadLe16(b + 2) == 1) return kImageIcon;
    if (LoadLe16(b + 2) == 2) return kImageCursor;
  }
  if (b[0] == 'G' && b[1] == 'I' && b[2] == 'F' && b[3] == '8' && (b[4] == '7' || b[4] == '9') &&
      b[5] == 'a')
    return kImageGif;
  if (b[0] == 10 && b[1] <= 5 && b[2] == 1 && b[3] == 8) return kImagePcx8;
  if (b[0] == 10 && b[1] == 3 && b[2] == 1 && b[3] == 1) return kImagePcx1;
  return kImageNone;
}
