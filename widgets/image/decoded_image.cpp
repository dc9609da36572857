#include "widgets/image/decoded_image.h"

#include <new>

#include "services/little_endian.h"

uint8_t* AllocatePixels(uint64_t size) {
  if (size == 0 || size > kMaxPixelBytes + kPaletteBitmapHeaderSize) return nullptr;
  return new (std::nothrow) uint8_t[size_t(size)];
}

void ReleasePixels(uint8_t* pixels) { delete[] pixels; }

void SetImagePixels(DecodedImage* image, int32_t kind, int32_t width, int32_t height,
                    uint8_t* pixels, uint64_t size) {
  image->kind = kind;
  image->width = width;
  image->height = height;
  image->pixels = pixels;
  image->size = int32_t(size);
}

// BITMAPINFOHEADER:
//   0   u32  size of the header, 40
//   4   i32  width
//   8   i32  height; negative for top-down rows
//   12  u16  planes, 1
//   14  u16  bits per pixel
//   16  u32  compression, 0 (BI_RGB)
//   20  u32  bytes of image data
//   24  i32  horizontal resolution, pixels per metre
//   28  i32  vertical resolution
//   32  u32  palette entries used, all 256 here
//   36  u32  palette entries that matter, 0 for all
void WritePaletteBitmapHeader(int32_t width, int32_t height, uint32_t imageBytes, uint8_t* header) {
  StoreLe32(kBitmapInfoHeaderSize, header);
  StoreLe32(uint32_t(width), header + 4);
  StoreLe32(uint32_t(height), header + 8);
  StoreLe16(1, header + 12);
  StoreLe16(8, header + 14);
  StoreLe32(0, header + 16);
  StoreLe32(imageBytes, header + 20);
  StoreLe32(0, header + 24);
  StoreLe32(0, header + 28);
  StoreLe32(256, header + 32);
  StoreLe32(0, header + 36);
}
