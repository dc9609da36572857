// The pure decoders: kind detection, each format's pixels against the
// pixels its sample was written from, the refusals (unsupported forms,
// damaged data, files cut short at every offset, huge headers), and the
// choice of an icon file's entry.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <zlib.h>

#include <cstring>
#include <functional>

#include "allocation_count.h"
#include "image_test_support.h"
#include "services/little_endian.h"
#include "widgets/image/bmp_decoder.h"
#include "widgets/image/gif_decoder.h"
#include "frame/icon_directory.h"
#include "widgets/image/image_kind.h"
#include "widgets/image/jpeg_decoder.h"
#include "widgets/image/pcx_decoder.h"
#include "widgets/image/pixel_decoders.h"
#include "widgets/image/png_decoder.h"

namespace {

using Decoder = std::function<bool(ByteBlock, DecodedImage*)>;

SampleBytes Bytes8(std::initializer_list<uint8_t> bytes) { return SampleBytes(bytes); }

TEST(ImageKind, FirstBytesGiveTheKindInTheTestsOrder) {
  struct Case {
    SampleBytes bytes;
    ImageKind kind;
  } cases[] = {
      {Bytes8({'B', 'M', 0, 0, 0, 0, 0, 0}), kImageBmp},
      {Bytes8({0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0}), kImageJpeg},
      {Bytes8({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}), kImagePng},
      {Bytes8({0, 0, 1, 0, 1, 0, 0, 0}), kImageIcon},
      {Bytes8({0, 0, 2, 0, 3, 0, 0, 0}), kImageCursor},
      {Bytes8({0, 0, 1, 0, 0, 0, 0, 0}), kImageNone},  // no entries
      {Bytes8({0, 0, 3, 0, 1, 0, 0, 0}), kImageNone},  // type 3
      {Bytes8({'G', 'I', 'F', '8', '7', 'a', 0, 0}), kImageGif},
      {Bytes8({'G', 'I', 'F', '8', '9', 'a', 0, 0}), kImageGif},
      {Bytes8({'G', 'I', 'F', '8', '8', 'a', 0, 0}), kImageNone},
      {Bytes8({10, 5, 1, 8, 0, 0, 0, 0}), kImagePcx8},
      {Bytes8({10, 0, 1, 8, 0, 0, 0, 0}), kImagePcx8},
      {Bytes8({10, 6, 1, 8, 0, 0, 0, 0}), kImageNone},
      {Bytes8({10, 5, 0, 8, 0, 0, 0, 0}), kImageNone},  // not run-length
      {Bytes8({10, 3, 1, 1, 0, 0, 0, 0}), kImagePcx1},
      {Bytes8({10, 5, 1, 1, 0, 0, 0, 0}), kImageNone},  // 1-bit needs version 3
      {Bytes8({10, 3, 1, 4, 0, 0, 0, 0}), kImageNone},
      {Bytes8({'B', 'M', 'P', 'N', 'G', 0, 0, 0}), kImageBmp},  // first test wins
      {Bytes8({0, 0, 0, 0, 0, 0, 0, 0}), kImageNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectImageKind(View(c.bytes)), c.kind) << testing::PrintToString(c.bytes);
  }
}

TEST(ImageKind, ABlockOfSevenBytesIsNoImageWhateverItHolds) {
  for (const SampleBytes& whole :
       {Bytes8({'B', 'M', 0, 0, 0, 0, 0, 0}), Bytes8({0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0}),
        Bytes8({'G', 'I', 'F', '8', '9', 'a', 0, 0})}) {
    const SampleBytes seven(whole.begin(), whole.begin() + 7);
    EXPECT_EQ(DetectImageKind(View(seven)), kImageNone);
    Decoded decoded;
    EXPECT_FALSE(DecodePixels(View(seven), &decoded.image));
  }
  EXPECT_EQ(DetectImageKind(nullptr, 0), kImageNone);
}

// --- BMP ---------------------------------------------------------------------

TEST(BmpDecoder, TrueColourRowsBecomeBottomUpBlueGreenRed) {
  const RgbImage image = PatternImage(5, 3);  // 15- and 20-byte rows: padding
  for (int bits : {24, 32}) {
    for (bool topDown : {false, true}) {
      Decoded decoded;
      ASSERT_TRUE(DecodeBmp(View(BmpFromRgb(image, bits, topDown)), &decoded.image)) << bits;
      const DecodedImage& d = decoded.image;
      EXPECT_EQ(d.kind, kImageBmp);
      EXPECT_EQ(d.width, 5);
      EXPECT_EQ(d.height, 3);
      EXPECT_EQ(d.size, 5 * 3 * 3);
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
          EXPECT_EQ(BgrAt(d, x, y), BgrOf(image.At(x, y))) << bits << topDown << x << y;
    }
  }
}

TEST(BmpDecoder, PaletteIndexesAreLookedUpMostSignificantBitsFirst) {
  struct Case {
    int bits;
    int colours;
    uint32_t coloursUsed;
  } cases[] = {{1, 2, 0}, {4, 16, 0}, {4, 5, 5}, {8, 256, 0}, {8, 40, 40}};
  for (const Case& c : cases) {
    const IndexedImage image = PatternIndexed(13, 4, c.colours);
    Decoded decoded;
    ASSERT_TRUE(DecodeBmp(View(BmpFromIndexed(image, c.bits, c.coloursUsed)), &decoded.image))
        << c.bits;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 13; ++x) {
        const uint8_t index = image.indexes[size_t(y) * 13 + x];
        EXPECT_EQ(BgrAt(decoded.image, x, y), BgrOf(&image.palette[index * 3u]))
            << c.bits << " " << x << "," << y;
      }
  }
}

TEST(BmpDecoder, RefusesCompressionOtherBitCountsAndMisplacedData) {
  const SampleBytes good = BmpFromRgb(PatternImage(4, 4), 24);
  struct Case {
    const char* what;
    std::function<void(SampleBytes&)> damage;
  } cases[] = {
      {"RLE8", [](SampleBytes& b) { StoreLe32(1, &b[30]); }},
      {"RLE4", [](SampleBytes& b) { StoreLe32(2, &b[30]); }},
      {"bit fields", [](SampleBytes& b) { StoreLe32(3, &b[30]); }},
      {"16 bits", [](SampleBytes& b) { StoreLe16(16, &b[28]); }},
      {"2 bits", [](SampleBytes& b) { StoreLe16(2, &b[28]); }},
      {"data inside the headers", [](SampleBytes& b) { StoreLe32(40, &b[10]); }},
      {"data past the end", [](SampleBytes& b) { StoreLe32(uint32_t(b.size()), &b[10]); }},
      {"core header", [](SampleBytes& b) { StoreLe32(12, &b[14]); }},
      {"zero width", [](SampleBytes& b) { StoreLe32(0, &b[18]); }},
  };
  for (const Case& c : cases) {
    SampleBytes bad = good;
    c.damage(bad);
    Decoded decoded;
    EXPECT_FALSE(DecodeBmp(View(bad), &decoded.image)) << c.what;
    EXPECT_EQ(decoded.image.pixels, nullptr) << c.what;
  }
  // A 16-bit bitmap with all its bytes: still no image.
  SampleBytes sixteen = BmpFromRgb(PatternImage(4, 4), 32);
  StoreLe16(16, &sixteen[28]);
  Decoded decoded;
  EXPECT_FALSE(DecodePixels(View(sixteen), &decoded.image));
}

TEST(BmpDecoder, PixelDataMaySitAfterAGap) {
  SampleBytes bmp = BmpFromRgb(PatternImage(3, 2), 24);
  bmp.insert(bmp.begin() + 54, 10, 0xEE);
  StoreLe32(64, &bmp[10]);
  Decoded decoded;
  ASSERT_TRUE(DecodeBmp(View(bmp), &decoded.image));
  EXPECT_EQ(BgrAt(decoded.image, 2, 1), BgrOf(PatternImage(3, 2).At(2, 1)));
}

// --- JPEG --------------------------------------------------------------------

// libjpeg's own output, red-green-blue rows top-down, for comparison.
std::vector<uint8_t> LibraryRgb(const SampleBytes& jpeg, int* components) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr error;
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, jpeg.data(), jpeg.size());
  jpeg_read_header(&cinfo, TRUE);
  jpeg_start_decompress(&cinfo);
  *components = cinfo.output_components;
  std::vector<uint8_t> out(size_t(cinfo.output_width) * cinfo.output_height *
                           cinfo.output_components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row =
        out.data() + size_t(cinfo.output_scanline) * cinfo.output_width * cinfo.output_components;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

TEST(JpegDecoder, ColourComesOutAsLibjpegDecodesItInBottomUpBlueGreenRed) {
  const RgbImage image = PatternImage(21, 9);
  for (bool progressive : {false, true}) {
    const SampleBytes jpeg = JpegFromRgb(image, 90, false, progressive);
    int components = 0;
    const std::vector<uint8_t> rgb = LibraryRgb(jpeg, &components);
    ASSERT_EQ(components, 3);
    Decoded decoded;
    ASSERT_TRUE(DecodeJpeg(View(jpeg), &decoded.image));
    EXPECT_EQ(decoded.image.kind, kImageJpeg);
    EXPECT_EQ(decoded.image.width, 21);
    EXPECT_EQ(decoded.image.height, 9);
    EXPECT_EQ(decoded.image.size, 21 * 9 * 3);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 21; ++x)
        ASSERT_EQ(BgrAt(decoded.image, x, y), BgrOf(&rgb[(size_t(y) * 21 + x) * 3]))
            << x << "," << y;
  }
}

TEST(JpegDecoder, AGreyscaleImageIsGreyInAllThreeChannels) {
  const SampleBytes jpeg = JpegFromRgb(PatternImage(16, 8), 95, true);
  int components = 0;
  const std::vector<uint8_t> grey = LibraryRgb(jpeg, &components);
  ASSERT_EQ(components, 1);
  Decoded decoded;
  ASSERT_TRUE(DecodeJpeg(View(jpeg), &decoded.image));
  bool someNotBlack = false;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      const uint8_t g = grey[size_t(y) * 16 + x];
      EXPECT_EQ(BgrAt(decoded.image, x, y), std::string(3, char(g))) << x << "," << y;
      someNotBlack |= g != 0;
    }
  EXPECT_TRUE(someNotBlack);
}

// The offset of the first marker segment after `from` with this marker
// byte, or 0. Entropy data holds no 0xFF byte before anything but 0 or a
// restart marker, so a plain search finds markers only.
size_t MarkerAt(const SampleBytes& jpeg, uint8_t marker, size_t from = 2) {
  for (size_t i = from; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) return i;
  return 0;
}

TEST(JpegDecoder, DamagedStreamsEndInNoImage) {
  const SampleBytes good = JpegFromRgb(PatternImage(64, 64), 80);
  SampleBytes noImage = {0xFF, 0xD8, 0xFF, 0xD9};
  SampleBytes garbage = good;
  for (size_t i = 20; i < garbage.size(); i += 3) garbage[i] ^= 0x5A;
  // Cut inside the entropy data.
  const SampleBytes cut(good.begin(), good.begin() + long(good.size() / 2));
  // Cut there and closed with an end marker: libjpeg would warn and fill
  // the rest of the image with grey.
  SampleBytes closed = cut;
  closed.insert(closed.end(), {0xFF, 0xD9});
  for (const SampleBytes& bad : {noImage, garbage, cut, closed}) {
    Decoded decoded;
    EXPECT_FALSE(DecodeJpeg(View(bad), &decoded.image));
  }
}

// libjpeg warns about these and decodes the image as every viewer shows it.
TEST(JpegDecoder, WarningsThatMeanNoDamagePass) {
  const SampleBytes good = JpegFromRgb(PatternImage(21, 9), 85);
  ASSERT_EQ(MarkerAt(good, 0xE0), 2u);  // the JFIF header first
  Decoded reference;
  ASSERT_TRUE(DecodeJpeg(View(good), &reference.image));
  const std::vector<uint8_t> expected(reference.image.pixels,
                                      reference.image.pixels + reference.image.size);

  SampleBytes extraneous = good;
  extraneous.insert(extraneous.begin() + long(MarkerAt(good, 0xDB)), 0x00);
  SampleBytes jfif2 = good;
  jfif2[11] = 2;  // the JFIF major version
  // An Adobe header with an unknown colour transform in place of the JFIF
  // header: libjpeg takes three components for YCbCr either way.
  SampleBytes adobe = {0xFF, 0xD8, 0xFF, 0xEE, 0, 14, 'A', 'd', 'o',
                       'b',  'e',  0,    100,  0, 0,  0,   0,   7};
  adobe.insert(adobe.end(), good.begin() + long(MarkerAt(good, 0xDB)), good.end());
  struct Case {
    const char* what;
    SampleBytes jpeg;
  } cases[] = {
      {"one extraneous byte before a marker", extraneous},
      {"JFIF version 2", jfif2},
      {"an unknown Adobe transform", adobe},
  };
  for (const Case& c : cases) {
    Decoded decoded;
    const bool ok = DecodeJpeg(View(c.jpeg), &decoded.image);
    EXPECT_TRUE(ok) << c.what;
    if (!ok || size_t(decoded.image.size) != expected.size()) continue;
    EXPECT_EQ(memcmp(decoded.image.pixels, expected.data(), expected.size()), 0) << c.what;
  }

  // A refinement of the DC coefficients that does not follow on from the
  // first DC scan's bit position: decoded as it stands.
  SampleBytes progressive = JpegFromRgb(PatternImage(21, 9), 85, false, true);
  size_t refinement = 0;
  for (size_t at = MarkerAt(progressive, 0xDA); at; at = MarkerAt(progressive, 0xDA, at + 2)) {
    const size_t spectrum = at + 5 + 2 * size_t(progressive[at + 4]);
    if (progressive[spectrum] == 0 && progressive[spectrum + 1] == 0 &&
        progressive[spectrum + 2] == 0x10)
      refinement = spectrum + 2;
  }
  ASSERT_NE(refinement, 0u);
  progressive[refinement] = 0x21;  // Ah 2, Al 1 where Ah 1 was due
  Decoded decoded;
  EXPECT_TRUE(DecodeJpeg(View(progressive), &decoded.image));
}

// --- PNG ---------------------------------------------------------------------

std::vector<uint8_t> PatternRgba(int width, int height) {
  std::vector<uint8_t> rgba(size_t(width) * height * 4);
  for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = uint8_t(i * 29 + i / 7);
  return rgba;
}

TEST(PngDecoder, PixelsComeOutAsTopDownBlueGreenRedAlpha) {
  const std::vector<uint8_t> rgba = PatternRgba(7, 5);
  Decoded decoded;
  ASSERT_TRUE(DecodePng(View(PngFromRgba(7, 5, rgba)), &decoded.image));
  EXPECT_EQ(decoded.image.kind, kImagePng);
  EXPECT_EQ(decoded.image.width, 7);
  EXPECT_EQ(decoded.image.height, 5);
  ASSERT_EQ(decoded.image.size, 7 * 5 * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    const uint8_t* p = decoded.image.pixels + i;
    EXPECT_EQ(p[0], rgba[i + 2]);
    EXPECT_EQ(p[1], rgba[i + 1]);
    EXPECT_EQ(p[2], rgba[i]);
    EXPECT_EQ(p[3], rgba[i + 3]);
  }
}

TEST(PngDecoder, DamagedDataEndsInNoImage) {
  SampleBytes png = PngFromRgba(8, 8, PatternRgba(8, 8));
  png[png.size() - 20] ^= 0xFF;  // inside the image data: its CRC no longer holds
  Decoded decoded;
  EXPECT_FALSE(DecodePng(View(png), &decoded.image));
}

// --- GIF, first image ----------------------------------------------------------

TEST(GifDecoder, TheFirstImageBecomesAnEightBitBitmapWithItsPalette) {
  const IndexedImage first = PatternIndexed(11, 6, 5);
  GifSample gif;
  gif.screenWidth = 20;
  gif.screenHeight = 10;
  gif.globalPalette = first.palette;
  gif.comment = true;
  GifFrameSample frame;
  frame.left = 3;
  frame.top = 2;
  frame.width = 11;
  frame.height = 6;
  frame.indexes = first.indexes;
  gif.frames = {frame, frame};
  gif.frames[1].indexes.assign(66, 0);

  Decoded decoded;
  ASSERT_TRUE(DecodeGif(View(WriteGif(gif)), &decoded.image));
  const DecodedImage& d = decoded.image;
  EXPECT_EQ(d.kind, kImageGif);
  EXPECT_EQ(d.width, 11);
  EXPECT_EQ(d.height, 6);
  const uint32_t stride = 12;
  ASSERT_EQ(d.size, int32_t(kPaletteBitmapHeaderSize + stride * 6));
  EXPECT_EQ(LoadLe32(d.pixels), 40u);
  EXPECT_EQ(int32_t(LoadLe32(d.pixels + 4)), 11);
  EXPECT_EQ(int32_t(LoadLe32(d.pixels + 8)), 6);  // bottom-up
  EXPECT_EQ(LoadLe16(d.pixels + 14), 8);
  for (int i = 0; i < 256; ++i) {
    const uint8_t* quad = d.pixels + 40 + i * 4;
    // The table holds 8 entries (5 rounded up); the rest are black.
    const uint8_t* rgb = i < 5 ? &first.palette[i * 3u] : nullptr;
    EXPECT_EQ(quad[0], rgb ? rgb[2] : 0) << i;
    EXPECT_EQ(quad[1], rgb ? rgb[1] : 0) << i;
    EXPECT_EQ(quad[2], rgb ? rgb[0] : 0) << i;
  }
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 11; ++x)
      EXPECT_EQ(d.pixels[kPaletteBitmapHeaderSize + (5 - y) * stride + x],
                first.indexes[size_t(y) * 11 + x]);
}

TEST(GifDecoder, WithoutAnyColourTableIndexesAreGreyLevels) {
  GifSample gif;
  gif.screenWidth = gif.screenHeight = 2;
  GifFrameSample frame;
  frame.width = frame.height = 2;
  frame.indexes = {0, 100, 200, 255};
  gif.frames = {frame};
  Decoded decoded;
  ASSERT_TRUE(DecodeGif(View(WriteGif(gif)), &decoded.image));
  const uint8_t* quad = decoded.image.pixels + 40 + 200 * 4;
  EXPECT_EQ(quad[0], 200);
  EXPECT_EQ(quad[1], 200);
  EXPECT_EQ(quad[2], 200);
}

TEST(GifDecoder, AFileWithoutImagesIsNoImage) {
  GifSample gif;
  gif.screenWidth = gif.screenHeight = 4;
  gif.globalPalette = {0, 0, 0, 255, 255, 255};
  gif.comment = true;
  Decoded decoded;
  EXPECT_FALSE(DecodeGif(View(WriteGif(gif)), &decoded.image));
}

// --- PCX -----------------------------------------------------------------------

TEST(PcxDecoder, EightBitRowsArePaddedToFourUnderATopDownHeader) {
  const IndexedImage image = PatternIndexed(5, 3, 200);  // 6 bytes per line
  Decoded decoded;
  ASSERT_TRUE(DecodePcx(View(PcxFromIndexed(image, true)), &decoded.image));
  const DecodedImage& d = decoded.image;
  EXPECT_EQ(d.kind, kImagePcx8);
  EXPECT_EQ(d.width, 5);
  EXPECT_EQ(d.height, 3);
  ASSERT_EQ(d.size, int32_t(kPaletteBitmapHeaderSize + 8 * 3));
  EXPECT_EQ(int32_t(LoadLe32(d.pixels + 4)), 5);
  EXPECT_EQ(int32_t(LoadLe32(d.pixels + 8)), -3);
  for (int i = 0; i < 200; ++i) {
    const uint8_t* quad = d.pixels + 40 + i * 4;
    EXPECT_EQ(quad[0], image.palette[i * 3u + 2]);
    EXPECT_EQ(quad[2], image.palette[i * 3u]);
  }
  for (int y = 0; y < 3; ++y) {
    const uint8_t* row = d.pixels + kPaletteBitmapHeaderSize + y * 8;
    for (int x = 0; x < 5; ++x) EXPECT_EQ(row[x], image.indexes[size_t(y) * 5 + x]);
    EXPECT_EQ(row[5], 0);  // the line's own padding byte, as stored
    EXPECT_EQ(row[6], 0);
    EXPECT_EQ(row[7], 0);
  }
}

TEST(PcxDecoder, WithoutThePaletteMarkerTheIndexesAreGreyLevels) {
  const IndexedImage image = PatternIndexed(4, 2, 256);
  SampleBytes pcx = PcxFromIndexed(image, false);
  pcx.push_back(0x99);  // something after the data that is not the marker
  Decoded decoded;
  ASSERT_TRUE(DecodePcx(View(pcx), &decoded.image));
  const uint8_t* quad = decoded.image.pixels + 40 + 77 * 4;
  EXPECT_EQ(quad[0], 77);
  EXPECT_EQ(quad[1], 77);
  EXPECT_EQ(quad[2], 77);
}

TEST(PcxDecoder, OneBitRowsArePaddedToEvenByteCounts) {
  const int width = 19, height = 3;  // 3 bytes of bits, 4 per line stored
  std::vector<uint8_t> bits(size_t(width) * height);
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = (i * 5 / 3) % 2;
  Decoded decoded;
  ASSERT_TRUE(DecodePixels(View(PcxMono(width, height, bits)), &decoded.image));
  const DecodedImage& d = decoded.image;
  EXPECT_EQ(d.kind, kImagePcx1);
  ASSERT_EQ(d.size, 4 * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      EXPECT_EQ((d.pixels[y * 4 + x / 8] >> (7 - x % 8)) & 1, bits[size_t(y) * width + x])
          << x << "," << y;
}

TEST(PcxDecoder, RefusesOtherFormsAndRunsThatEndEarly) {
  const SampleBytes good = PcxFromIndexed(PatternIndexed(6, 4, 16), true);
  struct Case {
    const char* what;
    std::function<void(SampleBytes&)> damage;
  } cases[] = {
      {"manufacturer", [](SampleBytes& b) { b[0] = 11; }},
      {"version 6", [](SampleBytes& b) { b[1] = 6; }},
      {"not run-length", [](SampleBytes& b) { b[2] = 0; }},
      {"4 bits", [](SampleBytes& b) { b[3] = 4; }},
      {"x reversed", [](SampleBytes& b) { StoreLe16(9, &b[4]); }},
      {"y reversed", [](SampleBytes& b) { StoreLe16(9, &b[6]); }},
      {"no planes", [](SampleBytes& b) { b[65] = 0; }},
      {"line shorter than the width", [](SampleBytes& b) { StoreLe16(4, &b[66]); }},
      {"palette cut short", [](SampleBytes& b) { b.resize(b.size() - 1); }},
      {"only the header", [](SampleBytes& b) { b.resize(128); }},
  };
  for (const Case& c : cases) {
    SampleBytes bad = good;
    c.damage(bad);
    Decoded decoded;
    EXPECT_FALSE(DecodePcx(View(bad), &decoded.image)) << c.what;
  }
  // One bit per pixel in two planes.
  std::vector<uint8_t> bits(16, 1);
  SampleBytes planes = PcxMono(4, 4, bits);
  planes[65] = 2;
  Decoded decoded;
  EXPECT_FALSE(DecodePcx(View(planes), &decoded.image));
}

TEST(PcxDecoder, ARunPastTheLastLineStopsAtTheImagesEnd) {
  IndexedImage image = PatternIndexed(4, 2, 4);
  SampleBytes pcx = PcxFromIndexed(image, false);
  pcx.resize(128);
  // 8 bytes in all: one run of 60 fills them and stops there.
  pcx.push_back(0xC0 + 60);
  pcx.push_back(3);
  Decoded decoded;
  ASSERT_TRUE(DecodePcx(View(pcx), &decoded.image));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(decoded.image.pixels[kPaletteBitmapHeaderSize + i], 3);
}

// --- the product's own pictures ----------------------------------------------

SampleBytes ReadAsset(const std::string& name) {
  SampleBytes bytes;
  FILE* file = fopen((std::string(MORVANE_ASSETS_DIR) + "/" + name).c_str(), "rb");
  if (!file) return bytes;
  int c;
  while ((c = fgetc(file)) != EOF) bytes.push_back(uint8_t(c));
  fclose(file);
  return bytes;
}

TEST(ImageDecoders, TheProductsOwnPicturesDecode) {
  struct Asset {
    const char* name;
    int32_t kind, width, height;
  } assets[] = {
      {"images/logo.png", kImagePng, 200, 200},
      {"images/install-normal.png", kImagePng, 122, 39},
      {"images/install-hover.png", kImagePng, 122, 39},
      {"images/close-normal.jpg", kImageJpeg, 19, 19},
      {"images/close-hover.jpg", kImageJpeg, 19, 19},
      {"images/minimise-normal.jpg", kImageJpeg, 19, 19},
      {"images/minimise-hover.jpg", kImageJpeg, 19, 19},
  };
  for (const Asset& asset : assets) {
    const SampleBytes bytes = ReadAsset(asset.name);
    ASSERT_FALSE(bytes.empty()) << asset.name;
    Decoded decoded;
    ASSERT_TRUE(DecodePixels(View(bytes), &decoded.image)) << asset.name;
    EXPECT_EQ(decoded.image.kind, asset.kind) << asset.name;
    EXPECT_EQ(decoded.image.width, asset.width) << asset.name;
    EXPECT_EQ(decoded.image.height, asset.height) << asset.name;
  }
  for (const char* icon : {"images/window.ico", "payload/zorva.ico"}) {
    const SampleBytes bytes = ReadAsset(icon);
    ASSERT_FALSE(bytes.empty()) << icon;
    EXPECT_EQ(DetectImageKind(View(bytes)), kImageIcon) << icon;
    for (int wanted : {kPictureIconWidth, kSmallIconWidth}) {
      IconEntryChoice choice;
      IconImageSize size;
      ASSERT_TRUE(ChooseIconEntry(View(bytes), wanted, &choice)) << icon;
      EXPECT_TRUE(ReadIconImageSize(choice.image, &size)) << icon << " " << wanted;
    }
  }
}

// --- every format cut short, and huge headers -----------------------------------

struct Sample {
  const char* name;
  SampleBytes bytes;
};

std::vector<Sample> WholeSamples() {
  GifSample gif = GifSampleScreen(9, 7, 16);
  GifFrameSample frame = GifFrameSampleAt(0, 0, 9, 7, PatternIndexed(9, 7, 16).indexes);
  frame.control = true;
  frame.transparent = true;
  gif.frames = {frame};
  std::vector<uint8_t> bits(70);
  for (size_t i = 0; i < bits.size(); ++i) bits[i] = i % 3 == 0;
  return {
      {"bmp 24", BmpFromRgb(PatternImage(5, 4), 24)},
      {"bmp 4", BmpFromIndexed(PatternIndexed(5, 4, 16), 4)},
      {"jpeg", JpegFromRgb(PatternImage(17, 9), 75)},
      {"jpeg progressive", JpegFromRgb(PatternImage(17, 9), 75, false, true)},
      {"png", PngFromRgba(6, 5, PatternRgba(6, 5))},
      {"gif", WriteGif(gif)},
      {"pcx 8", PcxFromIndexed(PatternIndexed(6, 5, 256), true)},
      {"pcx 1", PcxMono(10, 7, bits)},
  };
}

TEST(ImageDecoders, EveryFormatCutShortAtEveryOffsetIsNoImage) {
  for (const Sample& sample : WholeSamples()) {
    Decoded whole;
    ASSERT_TRUE(DecodePixels(View(sample.bytes), &whole.image)) << sample.name;
    for (size_t cut = 0; cut < sample.bytes.size(); ++cut) {
      const SampleBytes part(sample.bytes.begin(), sample.bytes.begin() + long(cut));
      Decoded decoded;
      const bool decodes = DecodePixels(View(part), &decoded.image);
      // An 8-bit PCX cut just before its palette marker is a whole file of
      // the kind that has none.
      const bool paletteLess =
          std::string(sample.name) == "pcx 8" && cut == sample.bytes.size() - 769;
      EXPECT_EQ(decodes, paletteLess) << sample.name << " cut at " << cut;
      if (!decodes) EXPECT_EQ(decoded.image.pixels, nullptr);
    }
  }
}

// A PNG chunk with its CRC.
void PutChunk(SampleBytes* png, const char* type, const SampleBytes& data) {
  uint8_t length[4] = {uint8_t(data.size() >> 24), uint8_t(data.size() >> 16),
                       uint8_t(data.size() >> 8), uint8_t(data.size())};
  png->insert(png->end(), length, length + 4);
  const size_t typeAt = png->size();
  png->insert(png->end(), type, type + 4);
  png->insert(png->end(), data.begin(), data.end());
  const uLong crc = crc32(0, png->data() + typeAt, uInt(4 + data.size()));
  const uint8_t stored[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8),
                             uint8_t(crc)};
  png->insert(png->end(), stored, stored + 4);
}

SampleBytes PngClaiming(uint32_t width, uint32_t height) {
  SampleBytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  SampleBytes header = {uint8_t(width >> 24),
                        uint8_t(width >> 16),
                        uint8_t(width >> 8),
                        uint8_t(width),
                        uint8_t(height >> 24),
                        uint8_t(height >> 16),
                        uint8_t(height >> 8),
                        uint8_t(height),
                        8,
                        6,
                        0,
                        0,
                        0};
  PutChunk(&png, "IHDR", header);
  PutChunk(&png, "IDAT", {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01});
  PutChunk(&png, "IEND", {});
  return png;
}

// A JPEG whose frame header claims another size.
SampleBytes JpegClaiming(uint16_t width, uint16_t height) {
  SampleBytes jpeg = JpegFromRgb(PatternImage(8, 8), 75);
  for (size_t i = 0; i + 9 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = uint8_t(height >> 8);
      jpeg[i + 6] = uint8_t(height);
      jpeg[i + 7] = uint8_t(width >> 8);
      jpeg[i + 8] = uint8_t(width);
      break;
    }
  return jpeg;
}

TEST(ImageDecoders, HeadersClaimingHugeImagesAreNoImage) {
  std::vector<Sample> claims;
  SampleBytes bmp = BmpFromRgb(PatternImage(2, 2), 24);
  StoreLe32(100000, &bmp[18]);
  StoreLe32(100000, &bmp[22]);
  claims.push_back({"bmp 100000", bmp});
  StoreLe32(uint32_t(-2147483647 - 1), &bmp[22]);
  claims.push_back({"bmp height INT32_MIN", bmp});
  StoreLe32(10000, &bmp[18]);
  StoreLe32(10000, &bmp[22]);
  claims.push_back({"bmp 10000 with no rows", bmp});
  claims.push_back({"png 100000", PngClaiming(100000, 100000)});
  claims.push_back({"png 16384 (1 GB)", PngClaiming(16384, 16384)});
  claims.push_back({"jpeg 60000", JpegClaiming(60000, 60000)});
  claims.push_back({"jpeg 16000 (768 MB)", JpegClaiming(16000, 16000)});
  GifSample gif;
  gif.screenWidth = 60000;
  gif.screenHeight = 60000;
  GifFrameSample frame;
  frame.width = frame.height = 1;
  frame.indexes = {0};
  gif.frames = {frame};
  claims.push_back({"gif screen 60000", WriteGif(gif)});
  gif.screenWidth = gif.screenHeight = 1;
  SampleBytes gifFrame = WriteGif(gif);
  // The image descriptor's width and height (after the 13-byte screen).
  StoreLe16(60000, &gifFrame[13 + 5]);
  StoreLe16(60000, &gifFrame[13 + 7]);
  claims.push_back({"gif image 60000", gifFrame});
  SampleBytes pcx = PcxFromIndexed(PatternIndexed(2, 2, 4), true);
  StoreLe16(65535, &pcx[8]);
  StoreLe16(65535, &pcx[10]);
  StoreLe16(65535, &pcx[66]);
  claims.push_back({"pcx 65536", pcx});
  StoreLe16(15999, &pcx[8]);
  StoreLe16(15999, &pcx[10]);
  StoreLe16(16000, &pcx[66]);
  claims.push_back({"pcx 16000 with a few runs", pcx});
  claims.push_back({"png 8000 with a few bytes of data", PngClaiming(8000, 8000)});
  gif.screenWidth = gif.screenHeight = 10000;
  SampleBytes gifData = WriteGif(gif);
  StoreLe16(10000, &gifData[13 + 5]);
  StoreLe16(10000, &gifData[13 + 7]);
  claims.push_back({"gif image 10000 with a few bytes of data", gifData});
  for (const Sample& claim : claims) {
    Decoded decoded;
    const AllocationCount count = CountAllocations(
        [&] { EXPECT_FALSE(DecodePixels(View(claim.bytes), &decoded.image)) << claim.name; });
    // Refused before the pixel buffer: nothing near the claimed size was
    // asked for.
    if (CanCountAllocations()) EXPECT_LT(count.largest, size_t(4) << 20) << claim.name;
  }
}

// --- ICO and CUR directories ------------------------------------------------------

IconEntrySample Entry(uint8_t width, uint8_t colours, uint8_t fill) {
  IconEntrySample entry;
  entry.width = entry.height = width;
  entry.colours = colours;
  entry.bits = colours ? 4 : 32;
  const int side = width ? width : 256;
  if (colours)
    entry.image = IconImage4(side, side, std::vector<uint8_t>(size_t(side) * side, fill % 16),
                             PatternIndexed(1, 1, 16).palette);
  else
    entry.image = IconImage32(side, side, std::vector<uint8_t>(size_t(side) * side * 4, fill));
  return entry;
}

TEST(IconDirectory, TheEntryOfTheWantedWidthWithSixteenColoursOrElseTheLast) {
  struct Case {
    const char* what;
    std::vector<IconEntrySample> entries;
    int wanted;
    size_t chosen;
  } cases[] = {
      {"16 and 32, want 32", {Entry(16, 16, 1), Entry(32, 16, 2)}, 32, 1},
      {"32 and 16, want 32", {Entry(32, 16, 1), Entry(16, 16, 2)}, 32, 0},
      {"16 and 32, want 16", {Entry(16, 16, 1), Entry(32, 16, 2)}, 16, 0},
      {"true colour only", {Entry(32, 0, 1), Entry(16, 0, 2), Entry(48, 0, 3)}, 32, 2},
      {"all 48 wide", {Entry(48, 16, 1), Entry(48, 16, 2)}, 32, 1},
      {"true colour 32 and 16 colours 16", {Entry(32, 0, 1), Entry(16, 16, 2)}, 32, 1},
      {"8 colours never match", {Entry(32, 8, 1), Entry(48, 16, 2)}, 32, 1},
      {"first of two matches", {Entry(32, 16, 1), Entry(32, 16, 2)}, 32, 0},
  };
  for (const Case& c : cases) {
    const SampleBytes ico = WriteIco(1, c.entries);
    IconEntryChoice choice;
    ASSERT_TRUE(ChooseIconEntry(View(ico), c.wanted, &choice)) << c.what;
    EXPECT_EQ(choice.type, 1);
    const SampleBytes& expected = c.entries[c.chosen].image;
    ASSERT_EQ(choice.image.size, expected.size()) << c.what;
    EXPECT_EQ(memcmp(choice.image.data, expected.data(), expected.size()), 0) << c.what;
    IconImageSize size;
    ASSERT_TRUE(ReadIconImageSize(choice.image, &size)) << c.what;
    const int side = c.entries[c.chosen].width;
    EXPECT_EQ(size.width, side);
    EXPECT_EQ(size.height, side);  // half the stored height
    EXPECT_EQ(size.bitCount, c.entries[c.chosen].bits);
  }
  IconEntryChoice cursor;
  ASSERT_TRUE(ChooseIconEntry(View(WriteIco(2, {Entry(32, 16, 1)})), 32, &cursor));
  EXPECT_EQ(cursor.type, 2);
}

TEST(IconDirectory, RefusesBrokenDirectoriesAndImagesOutsideTheFile) {
  const SampleBytes good = WriteIco(1, {Entry(16, 16, 1), Entry(32, 0, 2)});
  struct Case {
    const char* what;
    std::function<void(SampleBytes&)> damage;
  } cases[] = {
      {"reserved", [](SampleBytes& b) { b[0] = 1; }},
      {"type 3", [](SampleBytes& b) { b[2] = 3; }},
      {"no entries", [](SampleBytes& b) { StoreLe16(0, &b[4]); }},
      {"more entries than bytes", [](SampleBytes& b) { StoreLe16(4000, &b[4]); }},
      {"offset past the end", [](SampleBytes& b) { StoreLe32(0xFFFFFF00, &b[6 + 16 + 12]); }},
      {"size past the end", [](SampleBytes& b) { StoreLe32(0xFFFFFFF0, &b[6 + 16 + 8]); }},
      {"empty image", [](SampleBytes& b) { StoreLe32(0, &b[6 + 16 + 8]); }},
  };
  for (const Case& c : cases) {
    SampleBytes bad = good;
    c.damage(bad);
    IconEntryChoice choice;
    EXPECT_FALSE(ChooseIconEntry(View(bad), 32, &choice)) << c.what;
  }
  const SampleBytes one = WriteIco(1, {Entry(32, 0, 1)});
  for (size_t cut = 0; cut < one.size(); ++cut) {
    const SampleBytes part(one.begin(), one.begin() + long(cut));
    IconEntryChoice choice;
    EXPECT_FALSE(ChooseIconEntry(View(part), 32, &choice)) << cut;
  }
}

// A unit's mouse pointer: the first image of a cursor file, with its hot
// spot, checked like a picture's icon.
TEST(IconDirectory, ACursorFilesFirstImageWithItsHotSpot) {
  IconEntrySample entry = Entry(32, 16, 1);
  entry.planes = 6;  // the hot spot in a cursor file
  entry.bits = 1;
  const SampleBytes good = WriteIco(2, {entry, Entry(16, 16, 2)});
  CursorFileImage cursor;
  ASSERT_TRUE(ReadCursorFileImage(View(good), &cursor));
  EXPECT_EQ(cursor.hotSpotX, 6);
  EXPECT_EQ(cursor.hotSpotY, 1);
  EXPECT_EQ(cursor.size.width, 32);
  EXPECT_EQ(cursor.size.height, 32);
  ASSERT_EQ(cursor.image.size, entry.image.size());
  EXPECT_EQ(memcmp(cursor.image.data, entry.image.data(), entry.image.size()), 0);

  const uint32_t imageAt = LoadLe32(&good[6 + 12]);
  struct Case {
    const char* what;
    std::function<void(SampleBytes&)> damage;
  } cases[] = {
      {"an icon file", [](SampleBytes& b) { b[2] = 1; }},
      {"more entries than bytes", [](SampleBytes& b) { StoreLe16(4000, &b[4]); }},
      {"size past the end", [](SampleBytes& b) { StoreLe32(0xFFFFFFF0, &b[6 + 8]); }},
      {"offset past the end", [](SampleBytes& b) { StoreLe32(0x7F000000, &b[6 + 12]); }},
      // Windows would read the bitmaps and mask of 64 x 64 pixels from the
      // bytes of 32 x 32.
      {"a header that claims more than the image holds",
       [&](SampleBytes& b) {
         StoreLe32(64, &b[imageAt + 4]);
         StoreLe32(128, &b[imageAt + 8]);
       }},
      {"a compressed bitmap", [&](SampleBytes& b) { StoreLe32(1, &b[imageAt + 16]); }},
  };
  for (const Case& c : cases) {
    SampleBytes bad = good;
    c.damage(bad);
    EXPECT_FALSE(ReadCursorFileImage(View(bad), &cursor)) << c.what;
  }
  for (size_t cut = 0; cut < good.size(); ++cut) {
    const SampleBytes part(good.begin(), good.begin() + long(cut));
    // The second entry's image may go; the directory and the first image not.
    EXPECT_EQ(ReadCursorFileImage(View(part), &cursor), cut >= imageAt + entry.image.size()) << cut;
  }
}

TEST(IconDirectory, ImageSizesFromTheHeaderMustFitTheImagesBytes) {
  SampleBytes image = Entry(32, 0, 1).image;
  IconImageSize size;
  ASSERT_TRUE(ReadIconImageSize(View(image), &size));
  SampleBytes shortOne(image.begin(), image.end() - 1);
  EXPECT_FALSE(ReadIconImageSize(View(shortOne), &size));
  SampleBytes huge = image;
  StoreLe32(100000, &huge[4]);
  StoreLe32(200000, &huge[8]);
  EXPECT_FALSE(ReadIconImageSize(View(huge), &size));
  SampleBytes claimsMore = image;
  StoreLe32(64, &claimsMore[4]);
  StoreLe32(128, &claimsMore[8]);
  EXPECT_FALSE(ReadIconImageSize(View(claimsMore), &size));
  SampleBytes compressed = image;
  StoreLe32(1, &compressed[16]);
  EXPECT_FALSE(ReadIconImageSize(View(compressed), &size));
  // A PNG-compressed entry: its size from the header chunk.
  const SampleBytes png = PngFromRgba(48, 40, std::vector<uint8_t>(48 * 40 * 4, 9));
  ASSERT_TRUE(ReadIconImageSize(View(png), &size));
  EXPECT_EQ(size.width, 48);
  EXPECT_EQ(size.height, 40);
}

}  // namespace
