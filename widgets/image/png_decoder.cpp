#include "widgets/image/png_decoder.h"

#include <png.h>

#include <cstring>

namespace {

uint32_t LoadBe32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// Deflate packs at most 1,032 bytes into one, so the image data must hold at
// least its unpacked size / 1,032 bytes; the unpacked size is at least a
// filter byte and one bit per pixel per row.
bool ImageDataCanFill(uint64_t dataBytes, uint64_t width, uint64_t height) {
  return dataBytes * 1032 + 1032 >= height * (1 + (width + 7) / 8);
}

// A PNG file is the 8-byte signature and then chunks:
//   u32 BE  length of the data
//   4 bytes type
//   data
//   u32 BE  CRC (libpng checks it)
// up to and including the chunk IEND. libpng's simplified reader stops
// reading after the image data, so a file cut short after it would still
// decode; walking the chunk lengths up to IEND tells a whole file from a
// truncated one.
// Adds up the bytes of image data (IDAT chunks) on the way.
bool ChunksRunToEnd(ByteBlock file, uint64_t* dataBytes) {
  *dataBytes = 0;
  uint64_t offset = 8;
  while (offset + 12 <= file.size) {
    const uint8_t* chunk = file.data + offset;
    const uint32_t length = LoadBe32(chunk);
    if (length > 0x7FFFFFFF) return false;
    offset += 12 + uint64_t(length);
    if (offset > file.size) return false;
    if (memcmp(chunk + 4, "IDAT", 4) == 0) *dataBytes += length;
    if (memcmp(chunk + 4, "IEND", 4) == 0) return true;
  }
  return false;
}

}  // namespace

bool DecodePng(ByteBlock file, DecodedImage* out) {
  uint64_t dataBytes = 0;
  if (file.data == nullptr || file.size < 8 || !ChunksRunToEnd(file, &dataBytes)) return false;
  png_image image;
  memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data, file.size)) return false;
  if (!ImageSidesAllowed(image.width, image.height) ||
      !ImageDataCanFill(dataBytes, image.width, image.height)) {
    png_image_free(&image);
    return false;
  }
  image.format = PNG_FORMAT_BGRA;
  const uint64_t size = uint64_t(image.width) * image.height * 4;
  uint8_t* pixels = AllocatePixels(size);
  if (pixels == nullptr) {
    png_image_free(&image);
    return false;
  }
  // No background (alpha is kept), the default row stride, no colour map.
  // Finishing frees the reader, whatever its result.
  if (!png_image_finish_read(&image, nullptr, pixels, 0, nullptr)) {
    ReleasePixels(pixels);
    return false;
  }
  SetImagePixels(out, kImagePng, int32_t(image.width), int32_t(image.height), pixels, size);
  return true;
}
