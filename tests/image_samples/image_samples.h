// Writers of small image files for the tests, the fuzz seeds and the
// benchmark: each format made here from pixels the caller knows, so that a
// decoder's output can be compared with them. Built in both trees. Written
// from the formats' descriptions, independently of the decoders; JPEG goes
// through libjpeg's encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using SampleBytes = std::vector<uint8_t>;

// Pixels as red, green, blue bytes, rows top-down.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;

  const uint8_t* At(int x, int y) const { return rgb.data() + (size_t(y) * width + x) * 3; }
};

// Palette indexes, rows top-down, with their palette (red, green, blue).
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indexes;
  std::vector<uint8_t> palette;
};

// A test pattern: every pixel a different mix of its coordinates.
RgbImage PatternImage(int width, int height);
// Smooth shading, edges and noise, as a photograph has (for timings).
RgbImage PhotoLikeImage(int width, int height, uint32_t seed);
// Indexes x * 7 + y * 3 modulo `colours`, and a palette of distinct colours.
IndexedImage PatternIndexed(int width, int height, int colours);

// BMP with a 40-byte info header. 24 or 32 bits from `image`.
SampleBytes BmpFromRgb(const RgbImage& image, int bitCount, bool topDown = false);
// BMP of 1, 4 or 8 bits; the colour table holds `coloursUsed` entries
// (0: 2^bits, stored as 0).
SampleBytes BmpFromIndexed(const IndexedImage& image, int bitCount, uint32_t coloursUsed = 0);

// PNG from red, green, blue, alpha bytes (rows top-down), its image data
// stored without compression.
SampleBytes PngFromRgba(int width, int height, const std::vector<uint8_t>& rgba);

// JPEG through libjpeg; greyscale writes one component (the red channel).
SampleBytes JpegFromRgb(const RgbImage& image, int quality, bool greyscale = false,
                        bool progressive = false);

struct GifFrameSample {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> indexes;  // width * height, rows top-down
  bool control = false;          // write a graphic control extension
  uint8_t disposal = 0;          // the method 0..3 (stored << 2)
  bool transparent = false;
  uint8_t transparentIndex = 0;
  uint16_t delay = 0;
  bool interlaced = false;
  std::vector<uint8_t> localPalette;  // red, green, blue; none when empty
};

struct GifSample {
  int screenWidth = 0;
  int screenHeight = 0;
  std::vector<uint8_t> globalPalette;  // red, green, blue; none when empty
  std::vector<GifFrameSample> frames;
  bool comment = false;        // a comment extension before the first frame
  bool loopExtension = false;  // the application extension of looping players
  bool clearWhenFull = true;   // a clear code when the code table fills up
};

// A frame at (left, top) with these indexes, and no graphic control
// extension.
GifFrameSample GifFrameSampleAt(int left, int top, int width, int height,
                                std::vector<uint8_t> indexes);
// A screen with the palette of PatternIndexed(1, 1, colours) and no frame.
GifSample GifSampleScreen(int width, int height, int colours);

SampleBytes WriteGif(const GifSample& gif);
// The LZW data of `count` indexes: the root size byte and the sub-blocks.
SampleBytes GifLzwData(const uint8_t* indexes, size_t count, int rootBits, bool clearWhenFull);

// PCX, 8 bits per pixel in one plane, with the 256-colour palette after the
// marker 12 unless `withPalette` is false.
SampleBytes PcxFromIndexed(const IndexedImage& image, bool withPalette, uint8_t version = 5);
// PCX, 1 bit per pixel in one plane; `bits` holds one 0/1 per pixel.
SampleBytes PcxMono(int width, int height, const std::vector<uint8_t>& bits, uint8_t version = 3);

// One image of an icon file: a BITMAPINFOHEADER (height doubled), the colour
// bitmap and an all-zero mask.
SampleBytes IconImage32(int width, int height, const std::vector<uint8_t>& bgra);
SampleBytes IconImage4(int width, int height, const std::vector<uint8_t>& indexes,
                       const std::vector<uint8_t>& palette16Rgb);

struct IconEntrySample {
  uint8_t width = 0;
  uint8_t height = 0;
  uint8_t colours = 0;
  uint16_t planes = 1;
  uint16_t bits = 32;
  SampleBytes image;
};
// type 1 icon, 2 cursor.
SampleBytes WriteIco(int type, const std::vector<IconEntrySample>& entries);
