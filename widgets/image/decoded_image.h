// The decoded image record that every unit with a picture keeps, the pixel
// layouts of its kinds, and the limits every decoder applies before it
// allocates. Pure code: builds for Windows and for the host.
//
// Pixel buffer by kind (rows of kinds 1, 2 and 8 are not padded):
//   kind  format     pixels
//   1     JPEG       24-bit blue, green, red; rows bottom-up; size = w * h * 3
//   2     BMP        as kind 1
//   3     ICO        none: `icon` holds the icon
//   4     CUR        none: `icon` holds the icon
//   5     GIF        the first image as an 8-bit bitmap: a 40-byte
//                    BITMAPINFOHEADER (positive height), 256 RGBQUAD entries
//                    (1,064 bytes in all), then bottom-up rows padded to 4
//   6     PCX 8-bit  the same 1,064-byte header (negative height), then
//                    top-down rows of planes * bytes-per-line bytes, padded
//                    to 4
//   7     PCX 1-bit  monochrome rows, top-down, each (w + 7) / 8 bytes padded
//                    to an even count (the layout CreateBitmap takes)
//   8     PNG        32-bit blue, green, red, alpha (straight, not
//                    premultiplied); rows top-down; size = w * h * 4
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/image_limits.h"
#include "widgets/image/image_kind.h"

struct DecodedImage {
  int32_t kind = kImageNone;
  int32_t width = 0;
  int32_t height = 0;
  void* icon = nullptr;       // an HICON, kinds 3 and 4 only; destroyed with the record
  uint8_t* pixels = nullptr;  // one allocation, from AllocatePixels
  int32_t size = 0;           // bytes in `pixels`
};

// The header of kinds 5 and 6: BITMAPINFOHEADER and 256 RGBQUAD entries.
constexpr uint32_t kPaletteBitmapHeaderSize = kBitmapInfoHeaderSize + 256 * 4;

// A pixel buffer of `size` bytes (1..kMaxPixelBytes), or nullptr when the
// size is out of bounds or the memory is not there. Never ends the program:
// a picture that cannot be held is no picture.
uint8_t* AllocatePixels(uint64_t size);
void ReleasePixels(uint8_t* pixels);

// Takes `pixels` (from AllocatePixels) into `image` as its buffer.
void SetImagePixels(DecodedImage* image, int32_t kind, int32_t width, int32_t height,
                    uint8_t* pixels, uint64_t size);

// Writes the 40-byte BITMAPINFOHEADER of an 8-bit palette bitmap at
// `header`; a negative height stands for top-down rows. The 256 palette
// entries follow it and are the caller's.
void WritePaletteBitmapHeader(int32_t width, int32_t height, uint32_t imageBytes, uint8_t* header);
