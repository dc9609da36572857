// The bounds every image of the program keeps, in the pictures that units
// show and the cursors of their mouse pointers alike: they come from the
// program's own template, but a damaged or hostile header must not turn into
// a huge allocation. Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

// No image is larger than this on a side, and no pixel buffer larger than
// this many bytes.
constexpr int64_t kMaxImageSide = 16384;
constexpr uint64_t kMaxPixelBytes = uint64_t(256) << 20;

// True when both sides lie in 1..kMaxImageSide.
constexpr bool ImageSidesAllowed(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kMaxImageSide && height <= kMaxImageSide;
}

// Bytes of a row of `width` pixels of `bitsPerPixel` bits, rounded up to a
// multiple of `align` bytes (1, 2 or 4).
constexpr uint64_t RowBytes(uint64_t width, uint32_t bitsPerPixel, uint32_t align) {
  return ((width * bitsPerPixel + 7) / 8 + align - 1) / align * align;
}

// A BITMAPINFOHEADER, which the images of icon and cursor files begin with.
constexpr uint32_t kBitmapInfoHeaderSize = 40;
