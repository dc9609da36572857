// Which kind of image file a picture property holds, from its first bytes.
// Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "services/values.h"

// The kind of a picture: the file format it came from, and with it the
// layout of a decoded image's pixel buffer (see decoded_image.h).
enum ImageKind : int32_t {
  kImageNone = 0,
  kImageJpeg = 1,
  kImageBmp = 2,
  kImageIcon = 3,
  kImageCursor = 4,
  kImageGif = 5,
  kImagePcx8 = 6,  // PCX, 8 bits per pixel
  kImagePcx1 = 7,  // PCX, 1 bit per pixel, one plane
  kImagePng = 8,
};

// The kind from the first 8 bytes; kImageNone for a block shorter than 8
// bytes or one that none of the tests matches. The tests run in a fixed
// order and the first match wins:
//   1  "BM"                                    BMP
//   2  FF D8                                   JPEG
//   3  89 "PNG"                                PNG
//   4  u16 0, u16 1 or 2, u16 count > 0        ICO or CUR
//   5  "GIF87a" or "GIF89a"                    GIF
//   6  0A, version <= 5, 01, 8 bits per pixel  PCX, 8-bit
//   7  0A, version 3, 01, 1 bit per pixel      PCX, 1-bit
ImageKind DetectImageKind(const uint8_t* data, uint32_t size);
inline ImageKind DetectImageKind(ByteBlock block) {
  return DetectImageKind(block.data, block.size);
}
