// A PCX file:
//   0    u8   manufacturer, 10
//   1    u8   version, 0 to 5
//   2    u8   encoding, 1 (run-length)
//   3    u8   bits per pixel of a plane
//   4    u16  xmin      6  u16  ymin      8  u16  xmax      10  u16  ymax
//   12   resolutions and the 16-colour palette, unused here
//   65   u8   colour planes
//   66   u16  bytes per plane line
//   128  run-length data of all scan lines, each the planes' lines one after
//        the other: a byte above 0xC0 repeats the next byte (byte - 0xC0)
//        times, any other byte stands for itself
//   then, for 256 colours, the marker 12 and 256 red, green, blue triplets
#include "widgets/image/pcx_decoder.h"

#include <cstring>

#include "services/little_endian.h"

namespace {

constexpr uint32_t kHeaderSize = 128;
constexpr uint8_t kPaletteMarker = 12;

// Reads run-length data scan line by scan line. A run may go on into the
// next line; a run longer than what is left of the image stops at its end.
struct RunReader {
  const uint8_t* next;
  const uint8_t* end;
  uint32_t runLeft = 0;
  uint8_t runValue = 0;

  bool ReadLine(uint8_t* line, uint32_t length) {
    uint32_t filled = 0;
    while (filled < length) {
      if (runLeft > 0) {
        const uint32_t n = runLeft < length - filled ? runLeft : length - filled;
        memset(line + filled, runValue, n);
        filled += n;
        runLeft -= n;
        continue;
      }
      if (next == end) return false;
      const uint8_t b = *next++;
      if (b <= 0xC0) {
        line[filled++] = b;
        continue;
      }
      if (next == end) return false;
      runLeft = b - 0xC0u;
      runValue = *next++;
    }
    return true;
  }
};

struct PcxHeader {
  uint32_t bitsPerPixel;
  uint32_t width;
  uint32_t height;
  uint32_t planes;
  uint32_t lineBytes;  // per plane
};

bool ReadHeader(ByteBlock file, PcxHeader* header) {
  if (file.size <= kHeaderSize) return false;
  const uint8_t* b = file.data;
  if (b[0] != 10 || b[1] > 5 || b[2] != 1) return false;
  const uint32_t xmin = LoadLe16(b + 4), ymin = LoadLe16(b + 6);
  const uint32_t xmax = LoadLe16(b + 8), ymax = LoadLe16(b + 10);
  if (xmin > xmax || ymin > ymax) return false;
  header->bitsPerPixel = b[3];
  header->width = xmax - xmin + 1;
  header->height = ymax - ymin + 1;
  header->planes = b[65];
  header->lineBytes = LoadLe16(b + 66);
  return ImageSidesAllowed(header->width, header->height) && header->planes > 0 &&
         header->lineBytes > 0;
}

// Whether the run data could fill `total` bytes at all: two bytes give at
// most 63. Guards the allocation against a small file with a big header.
bool RunDataCanFill(ByteBlock file, uint64_t total) {
  const uint64_t available = file.size - kHeaderSize;
  return (available + 1) / 2 * 63 >= total;
}

// 8 bits per pixel: rows of planes * bytes-per-line bytes, padded to 4, after
// a bitmap header with a negative height (rows top-down).
bool DecodePaletted(ByteBlock file, const PcxHeader& header, DecodedImage* out) {
  const uint64_t line = uint64_t(header.planes) * header.lineBytes;
  // The bitmap header's width makes its rows pad4(width) bytes long: a scan
  // line shorter than the width would leave those rows short of the buffer.
  if (line < header.width) return false;
  if (!RunDataCanFill(file, line * header.height)) return false;
  const uint64_t stride = (line + 3) / 4 * 4;
  const uint64_t rows = stride * header.height;
  if (rows > kMaxPixelBytes) return false;
  const uint64_t size = kPaletteBitmapHeaderSize + rows;
  uint8_t* pixels = AllocatePixels(size);
  if (pixels == nullptr) return false;

  RunReader reader{file.data + kHeaderSize, file.data + file.size};
  uint8_t* row = pixels + kPaletteBitmapHeaderSize;
  for (uint32_t y = 0; y < header.height; ++y, row += stride) {
    if (!reader.ReadLine(row, uint32_t(line))) {
      ReleasePixels(pixels);
      return false;
    }
    memset(row + line, 0, size_t(stride - line));
  }

  WritePaletteBitmapHeader(int32_t(header.width), -int32_t(header.height), uint32_t(rows), pixels);
  uint8_t* palette = pixels + kBitmapInfoHeaderSize;
  const uint8_t* after = reader.next;
  const uint8_t* end = file.data + file.size;
  if (after < end && *after == kPaletteMarker) {
    if (end - (after + 1) < 256 * 3) {
      ReleasePixels(pixels);
      return false;
    }
    const uint8_t* rgb = after + 1;
    for (int i = 0; i < 256; ++i, rgb += 3) {
      palette[i * 4] = rgb[2];
      palette[i * 4 + 1] = rgb[1];
      palette[i * 4 + 2] = rgb[0];
      palette[i * 4 + 3] = 0;
    }
  } else {
    for (int i = 0; i < 256; ++i) {
      palette[i * 4] = palette[i * 4 + 1] = palette[i * 4 + 2] = uint8_t(i);
      palette[i * 4 + 3] = 0;
    }
  }
  SetImagePixels(out, kImagePcx8, int32_t(header.width), int32_t(header.height), pixels, size);
  return true;
}

// 1 bit per pixel, one plane: rows of (width + 7) / 8 bytes padded to an
// even count, top-down.
bool DecodeMono(ByteBlock file, const PcxHeader& header, DecodedImage* out) {
  const uint32_t used = (header.width + 7) / 8;
  if (header.lineBytes < used) return false;
  if (!RunDataCanFill(file, uint64_t(header.lineBytes) * header.height)) return false;
  const uint32_t stride = (used + 1) / 2 * 2;
  const uint64_t size = uint64_t(stride) * header.height;
  uint8_t* pixels = AllocatePixels(size);
  uint8_t* line = AllocatePixels(header.lineBytes);
  bool ok = pixels != nullptr && line != nullptr;
  RunReader reader{file.data + kHeaderSize, file.data + file.size};
  uint8_t* row = pixels;
  for (uint32_t y = 0; ok && y < header.height; ++y, row += stride) {
    ok = reader.ReadLine(line, header.lineBytes);
    if (!ok) break;
    memcpy(row, line, used);
    memset(row + used, 0, stride - used);
  }
  ReleasePixels(line);
  if (!ok) {
    ReleasePixels(pixels);
    return false;
  }
  SetImagePixels(out, kImagePcx1, int32_t(header.width), int32_t(header.height), pixels, size);
  return true;
}

}  // namespace

bool DecodePcx(ByteBlock file, DecodedImage* out) {
  PcxHeader header;
  if (file.data == nullptr || !ReadHeader(file, &header)) return false;
  if (header.bitsPerPixel == 1 && header.planes == 1) return DecodeMono(file, header, out);
  if (header.bitsPerPixel == 8) return DecodePaletted(file, header, out);
  return false;
}
