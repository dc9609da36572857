// The body shared by the image decoder fuzz targets: whatever the bytes, a
// decoder either refuses them and leaves its record empty, or gives a record
// of its kind whose buffer has exactly the size its layout needs; every byte
// of that buffer is read back (the address sanitizer checks the reads).
#pragma once

#include <cstdint>
#include <cstdlib>

#include "services/little_endian.h"
#include "widgets/image/decoded_image.h"

// The buffer size the layout of `image` needs; 0 for a kind without one.
inline uint64_t LayoutSize(const DecodedImage& image) {
  const uint64_t w = uint64_t(image.width), h = uint64_t(image.height);
  switch (image.kind) {
    case kImageJpeg:
    case kImageBmp:
      return w * h * 3;
    case kImagePng:
      return w * h * 4;
    case kImageGif:
      return kPaletteBitmapHeaderSize + RowBytes(w, 8, 4) * h;
    case kImagePcx1:
      return RowBytes(w, 1, 2) * h;
    default:
      return 0;
  }
}

// `kind` and `otherKind` are the kinds the decoder may give.
inline int FuzzDecoder(const uint8_t* data, size_t size, int32_t kind,
                       bool (*decode)(ByteBlock, DecodedImage*), int32_t otherKind = kImageNone) {
  if (size > UINT32_MAX) return 0;
  DecodedImage image;
  if (!decode(ByteBlock{data, uint32_t(size)}, &image)) {
    if (image.pixels != nullptr || image.kind != kImageNone) abort();
    return 0;
  }
  if (!ImageSidesAllowed(image.width, image.height) || image.pixels == nullptr) abort();
  if (image.kind != kind && image.kind != otherKind) abort();
  if (image.kind == kImagePcx8) {
    // Rows of the scan line's length, which is at least the width.
    if (image.size < int32_t(kPaletteBitmapHeaderSize + RowBytes(image.width, 8, 4) * image.height))
      abort();
    if (int32_t(LoadLe32(image.pixels + 8)) != -image.height) abort();
  } else if (uint64_t(image.size) != LayoutSize(image)) {
    abort();
  }
  volatile uint8_t sum = 0;
  for (int32_t i = 0; i < image.size; ++i) sum = uint8_t(sum + image.pixels[i]);
  ReleasePixels(image.pixels);
  return 0;
}
