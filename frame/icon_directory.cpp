// An icon or cursor file:
//   0   u16  reserved, 0
//   2   u16  type: 1 icon, 2 cursor
//   4   u16  entry count
//   6   16 bytes per entry:
//         0  u8   width (0 for 256)    1  u8   height
//         2  u8   colour count (0 for 256 or more)
//         3  u8   reserved
//         4  u16  planes (icon) or hot spot x (cursor)
//         6  u16  bits per pixel (icon) or hot spot y (cursor)
//         8  u32  bytes of the image
//         12 u32  offset of the image from the start of the file
// Each image is a BITMAPINFOHEADER with a colour table, the colour bitmap
// and the 1-bit mask, or a whole PNG file.
#include "frame/icon_directory.h"

#include <cstring>

#include "services/little_endian.h"
#include "frame/image_limits.h"

namespace {

constexpr uint32_t kHeaderSize = 6;
constexpr uint32_t kEntrySize = 16;
const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

uint32_t LoadBe32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// The type and entry count of a directory that is whole in `file`.
bool ReadDirectory(ByteBlock file, uint32_t* type, uint32_t* count) {
  if (file.data == nullptr || file.size < kHeaderSize) return false;
  const uint8_t* b = file.data;
  *type = LoadLe16(b + 2);
  *count = LoadLe16(b + 4);
  if (LoadLe16(b) != 0 || (*type != 1 && *type != 2) || *count == 0) return false;
  return kHeaderSize + uint64_t(*count) * kEntrySize <= file.size;
}

// The image bytes of a directory entry, when they lie inside the file.
bool EntryImage(ByteBlock file, const uint8_t* entry, ByteBlock* image) {
  const uint32_t size = LoadLe32(entry + 8), offset = LoadLe32(entry + 12);
  if (size == 0 || offset > file.size || size > file.size - offset) return false;
  *image = ByteBlock{file.data + offset, size};
  return true;
}

}  // namespace

bool ChooseIconEntry(ByteBlock file, int wantedWidth, IconEntryChoice* choice) {
  uint32_t type = 0, count = 0;
  if (!ReadDirectory(file, &type, &count)) return false;
  const uint8_t* entries = file.data + kHeaderSize;
  const uint8_t* chosen = entries + (count - 1) * kEntrySize;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* entry = entries + i * kEntrySize;
    if (entry[2] >= 16 && entry[0] == wantedWidth) {
      chosen = entry;
      break;
    }
  }
  if (!EntryImage(file, chosen, &choice->image)) return false;
  choice->type = int(type);
  return true;
}

bool ReadCursorFileImage(ByteBlock file, CursorFileImage* cursor) {
  uint32_t type = 0, count = 0;
  if (!ReadDirectory(file, &type, &count) || type != 2) return false;
  const uint8_t* entry = file.data + kHeaderSize;
  CursorFileImage read;
  if (!EntryImage(file, entry, &read.image) || !ReadIconImageSize(read.image, &read.size))
    return false;
  read.hotSpotX = LoadLe16(entry + 4);
  read.hotSpotY = LoadLe16(entry + 6);
  *cursor = read;
  return true;
}

bool ReadIconImageSize(ByteBlock image, IconImageSize* size) {
  if (image.data == nullptr) return false;
  const uint8_t* b = image.data;
  // PNG: the signature, then the IHDR chunk (length, type, width, height,
  // bit depth, colour type, ...).
  if (image.size >= 8 + 8 + 13 && memcmp(b, kPngSignature, 8) == 0) {
    if (memcmp(b + 12, "IHDR", 4) != 0) return false;
    const uint32_t width = LoadBe32(b + 16), height = LoadBe32(b + 20);
    if (!ImageSidesAllowed(width, height)) return false;
    *size = IconImageSize{int32_t(width), int32_t(height), 32};
    return true;
  }
  if (image.size < kBitmapInfoHeaderSize) return false;
  const uint32_t headerSize = LoadLe32(b);
  const int32_t width = int32_t(LoadLe32(b + 4));
  const int32_t doubleHeight = int32_t(LoadLe32(b + 8));
  const uint32_t bits = LoadLe16(b + 14);
  const uint32_t compression = LoadLe32(b + 16);
  const uint32_t coloursUsed = LoadLe32(b + 32);
  if (headerSize < kBitmapInfoHeaderSize || compression != 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  const int64_t height = doubleHeight / 2;
  if (!ImageSidesAllowed(width, height)) return false;
  const uint64_t colours = bits > 8 ? 0 : coloursUsed ? coloursUsed : uint64_t(1) << bits;
  const uint64_t needed = uint64_t(headerSize) + colours * 4 +
                          RowBytes(uint64_t(width), bits, 4) * uint64_t(height) +
                          RowBytes(uint64_t(width), 1, 4) * uint64_t(height);
  if (needed > image.size) return false;
  *size = IconImageSize{width, int32_t(height), int32_t(bits)};
  return true;
}
