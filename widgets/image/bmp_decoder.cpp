// A BMP file:
//   0   2 bytes  "BM"
//   2   u32      file size (not trusted)
//   6   u32      reserved
//   10  u32      offset of the pixel data from the start of the file
//   14  BITMAPINFOHEADER (40 bytes; later versions are longer and keep the
//       same first 40 bytes): size, width, height (negative: rows top-down),
//       planes, bits per pixel, compression, image size, resolutions,
//       colours used, colours important
//   then, for 1, 4 and 8 bits per pixel, the colour table: "colours used"
//   entries (2^bits when 0) of blue, green, red, reserved
//   pixel rows from the data offset, each padded to a multiple of 4 bytes,
//   bottom row first
#include "widgets/image/bmp_decoder.h"

#include <cstring>

#include "frame/template/byte_cursor.h"
#include "services/little_endian.h"

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kBiRgb = 0;

struct BmpHeader {
  uint32_t dataOffset = 0;
  uint32_t infoSize = 0;
  int64_t width = 0;
  int64_t height = 0;
  bool topDown = false;
  uint32_t bitCount = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;
};

bool ReadHeaders(ByteCursor& cursor, BmpHeader* header) {
  ByteBlock fixed;
  if (!cursor.ReadView(kFileHeaderSize + kBitmapInfoHeaderSize, &fixed)) return false;
  const uint8_t* b = fixed.data;
  header->dataOffset = LoadLe32(b + 10);
  header->infoSize = LoadLe32(b + 14);
  const int32_t width = int32_t(LoadLe32(b + 18));
  const int32_t height = int32_t(LoadLe32(b + 22));
  header->bitCount = LoadLe16(b + 28);
  header->compression = LoadLe32(b + 30);
  header->coloursUsed = LoadLe32(b + 46);
  // Absolute values taken in 64 bits: INT32_MIN has none in 32.
  header->width = width < 0 ? -int64_t(width) : int64_t(width);
  header->height = height < 0 ? -int64_t(height) : int64_t(height);
  header->topDown = height < 0;
  // The older 12-byte core header has other fields at these places.
  if (header->infoSize < kBitmapInfoHeaderSize) return false;
  // A longer header (version 4 or 5) puts the colour table after itself.
  return cursor.Skip(header->infoSize - kBitmapInfoHeaderSize);
}

// Reads the colour table into `table` (256 entries of blue, green, red,
// reserved; entries the file lacks stay black).
bool ReadColourTable(ByteCursor& cursor, const BmpHeader& header, uint8_t* table) {
  if (header.bitCount > 8) return true;
  const uint64_t count = header.coloursUsed ? header.coloursUsed : uint64_t(1) << header.bitCount;
  if (count * 4 > cursor.Remaining()) return false;
  ByteBlock entries;
  cursor.ReadView(size_t(count * 4), &entries);
  const uint64_t kept = count < 256 ? count : 256;
  memcpy(table, entries.data, size_t(kept * 4));
  return true;
}

void UnpackRow(const uint8_t* row, const BmpHeader& header, const uint8_t* table, uint8_t* out) {
  const uint32_t width = uint32_t(header.width);
  switch (header.bitCount) {
    case 24:
      memcpy(out, row, size_t(width) * 3);
      return;
    case 32:
      for (uint32_t x = 0; x < width; ++x, row += 4, out += 3) memcpy(out, row, 3);
      return;
    default: {
      // Palette indexes, most significant bits first.
      const uint32_t bits = header.bitCount;
      const uint32_t mask = (1u << bits) - 1;
      for (uint32_t x = 0; x < width; ++x, out += 3) {
        const uint32_t bit = x * bits;
        const uint32_t index = (row[bit / 8] >> (8 - bits - bit % 8)) & mask;
        memcpy(out, table + index * 4, 3);
      }
      return;
    }
  }
}

}  // namespace

bool DecodeBmp(ByteBlock file, DecodedImage* out) {
  ByteCursor cursor(file);
  BmpHeader header;
  if (!ReadHeaders(cursor, &header)) return false;
  if (header.compression != kBiRgb) return false;
  const uint32_t bits = header.bitCount;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  uint8_t table[256 * 4] = {};
  if (!ReadColourTable(cursor, header, table)) return false;
  if (header.dataOffset < cursor.Offset()) return false;
  if (!cursor.Skip(header.dataOffset - cursor.Offset())) return false;

  if (!ImageSidesAllowed(header.width, header.height)) return false;
  const uint64_t fileRow = RowBytes(uint64_t(header.width), bits, 4);
  // Every row must be there before anything is allocated for them.
  if (fileRow * uint64_t(header.height) > cursor.Remaining()) return false;
  const uint64_t outRow = uint64_t(header.width) * 3;
  uint8_t* pixels = AllocatePixels(outRow * uint64_t(header.height));
  if (pixels == nullptr) return false;

  const uint32_t height = uint32_t(header.height);
  for (uint32_t r = 0; r < height; ++r) {
    ByteBlock row;
    cursor.ReadView(size_t(fileRow), &row);
    // File rows run bottom-up, like the decoded image's, unless the height
    // was negative.
    const uint32_t outIndex = header.topDown ? height - 1 - r : r;
    UnpackRow(row.data, header, table, pixels + outIndex * outRow);
  }
  SetImagePixels(out, kImageBmp, int32_t(header.width), int32_t(header.height), pixels,
                 outRow * uint64_t(height));
  return true;
}
