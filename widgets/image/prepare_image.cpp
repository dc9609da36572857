// The prepare step: a decoded record turned into a bitmap for one device
// context. Done per paint, so that the record itself stays as decoded (a
// PNG's blend depends on the background colour of the moment).
#include <cstring>

#include "services/little_endian.h"
#include "widgets/image/alpha_blend.h"
#include "widgets/image/image.h"

namespace {

constexpr COLORREF kDefaultColourValue = 0xFF000000;

BITMAPINFOHEADER TrueColourHeader(int width, int height, WORD bits) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = bits;
  header.biCompression = BI_RGB;
  return header;
}

// Kinds 1 and 2: the stored rows are not padded; a DIB's rows are, to 4
// bytes.
HBITMAP TrueColourBitmap(const DecodedImage& image, HDC hdc) {
  const uint64_t row = uint64_t(image.width) * 3;
  if (uint64_t(image.size) < row * uint64_t(image.height)) return nullptr;
  const uint64_t padded = (row + 3) / 4 * 4;
  const uint8_t* bits = image.pixels;
  uint8_t* copy = nullptr;
  if (padded != row) {
    copy = AllocatePixels(padded * uint64_t(image.height));
    if (copy == nullptr) return nullptr;
    for (int32_t y = 0; y < image.height; ++y) {
      memcpy(copy + y * padded, image.pixels + y * row, size_t(row));
      memset(copy + y * padded + row, 0, size_t(padded - row));
    }
    bits = copy;
  }
  BITMAPINFO info{};
  info.bmiHeader = TrueColourHeader(image.width, image.height, 24);
  HBITMAP bitmap = CreateDIBitmap(hdc, &info.bmiHeader, CBM_INIT, bits, &info, DIB_RGB_COLORS);
  ReleasePixels(copy);
  return bitmap;
}

// Kinds 5 and 6: header, palette and rows are stored as one 8-bit DIB. The
// header is checked against the record before GDI reads the rows it claims.
// CreateDIBitmap already gives a bitmap in the format of the device
// context's, so a GIF's needs no second copy into a compatible bitmap.
HBITMAP PaletteBitmap(const DecodedImage& image, HDC hdc) {
  if (image.size < int32_t(kPaletteBitmapHeaderSize)) return nullptr;
  const int32_t width = int32_t(LoadLe32(image.pixels + 4));
  const int32_t height = int32_t(LoadLe32(image.pixels + 8));
  const uint64_t rows = uint64_t(height < 0 ? -int64_t(height) : height);
  if (width != image.width || rows != uint64_t(image.height) || LoadLe16(image.pixels + 14) != 8 ||
      uint64_t(image.size) - kPaletteBitmapHeaderSize < RowBytes(uint64_t(width), 8, 4) * rows)
    return nullptr;
  const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(image.pixels);
  return CreateDIBitmap(hdc, &info->bmiHeader, CBM_INIT, image.pixels + kPaletteBitmapHeaderSize,
                        info, DIB_RGB_COLORS);
}

// Kind 7: rows padded to even byte counts are what CreateBitmap reads.
HBITMAP MonoBitmap(const DecodedImage& image) {
  if (uint64_t(image.size) < RowBytes(uint64_t(image.width), 1, 2) * uint64_t(image.height))
    return nullptr;
  return CreateBitmap(image.width, image.height, 1, 1, image.pixels);
}

// Kind 8: blended straight into the bits of a top-down DIB section.
HBITMAP BlendedBitmap(const DecodedImage& image, HDC hdc, COLORREF background) {
  const uint64_t count = uint64_t(image.width) * uint64_t(image.height);
  if (uint64_t(image.size) < count * 4) return nullptr;
  if (background & kDefaultColourValue) background = GetSysColor(COLOR_BTNFACE);
  BITMAPINFO info{};
  info.bmiHeader = TrueColourHeader(image.width, -image.height, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  BlendOverBackground(image.pixels, static_cast<uint8_t*>(bits), size_t(count), background);
  return bitmap;
}

}  // namespace

bool PrepareImage(const DecodedImage& image, HDC hdc, COLORREF background,
                  PreparedImage* prepared) {
  *prepared = PreparedImage();
  if (image.width <= 0 || image.height <= 0) return false;
  HBITMAP bitmap = nullptr;
  switch (image.kind) {
    case kImageIcon:
    case kImageCursor:
      if (image.icon == nullptr) return false;
      prepared->icon = static_cast<HICON>(image.icon);
      prepared->width = image.width;
      prepared->height = image.height;
      return true;
    case kImageJpeg:
    case kImageBmp:
      if (image.pixels) bitmap = TrueColourBitmap(image, hdc);
      break;
    case kImageGif:
    case kImagePcx8:
      if (image.pixels) bitmap = PaletteBitmap(image, hdc);
      break;
    case kImagePcx1:
      if (image.pixels) bitmap = MonoBitmap(image);
      break;
    case kImagePng:
      if (image.pixels) bitmap = BlendedBitmap(image, hdc, background);
      break;
    default:
      break;
  }
  if (bitmap == nullptr) return false;
  prepared->bitmap = bitmap;
  prepared->width = image.width;
  prepared->height = image.height;
  return true;
}

void ReleasePreparedImage(PreparedImage* prepared) {
  if (prepared->bitmap) DeleteObject(prepared->bitmap);
  *prepared = PreparedImage();
}
