// The Windows half of the image decoder, drawn into memory device contexts
// and read back pixel by pixel: every kind's bitmap as GDI sees it, the PNG
// blend, stretching, the transparent blit and icons from icon files.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "image_samples.h"
#include "support/dib_surface.h"
#include "widgets/image/image.h"

namespace {

ByteBlock View(const SampleBytes& bytes) { return ByteBlock{bytes.data(), uint32_t(bytes.size())}; }

// A 32-bit top-down DIB section in a memory device context, filled with one
// colour, whose pixels the test reads back.
struct Surface : DibSurface {
  Surface(int width, int height, COLORREF fill) : DibSurface(width, height) { Fill(fill); }
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
         std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
  char text[16];
  snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(c));
  return text;
}

constexpr COLORREF kBackColour = 0x00FF4646;
constexpr COLORREF kUnderneath = RGB(1, 2, 3);

// 2 x 2 red, green / blue, white.
RgbImage Quadrants() { return RgbImage{2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}}; }

TEST(ImageDrawing, EveryPixelKindIsDrawnAtItsOwnSizeWithItsColours) {
  const RgbImage rgb = Quadrants();
  IndexedImage indexed = PatternIndexed(2, 2, 4);
  indexed.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  indexed.indexes = {0, 1, 2, 3};
  GifSample gif;
  gif.screenWidth = gif.screenHeight = 2;
  gif.globalPalette = indexed.palette;
  GifFrameSample frame;
  frame.width = frame.height = 2;
  frame.indexes = indexed.indexes;
  gif.frames = {frame};
  const std::vector<uint8_t> rgba = {255, 0, 0,   255, 0,   255, 0,   255,
                                     0,   0, 255, 255, 255, 255, 255, 255};
  struct Case {
    const char* what;
    SampleBytes file;
    int32_t kind;
  } cases[] = {
      {"bmp 24", BmpFromRgb(rgb, 24), kImageBmp},
      {"bmp 8", BmpFromIndexed(indexed, 8), kImageBmp},
      {"gif", WriteGif(gif), kImageGif},
      {"pcx 8", PcxFromIndexed(indexed, true), kImagePcx8},
      {"png", PngFromRgba(2, 2, rgba), kImagePng},
  };
  const COLORREF expected[4] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
  for (const Case& c : cases) {
    OwnedImage image(DecodeImage(View(c.file)));
    ASSERT_TRUE(image) << c.what;
    EXPECT_EQ(image->kind, c.kind) << c.what;
    Surface surface(6, 6, kUnderneath);
    ASSERT_TRUE(surface.Ok());
    ASSERT_TRUE(DrawImage(image.get(), surface.Dc(), 3, 2, -1, -1, kBackColour)) << c.what;
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(Hex(surface.At(3 + i % 2, 2 + i / 2)), Hex(expected[i])) << c.what << " " << i;
    EXPECT_EQ(surface.At(5, 2), kUnderneath) << c.what;
    EXPECT_EQ(surface.At(3, 4), kUnderneath) << c.what;
  }
}

TEST(ImageDrawing, AOneBitPcxTakesTheTargetsTextAndBackgroundColours) {
  // 16 x 2: the first row set, the second clear.
  std::vector<uint8_t> bits(32, 0);
  for (int x = 0; x < 16; ++x) bits[x] = 1;
  OwnedImage image(DecodeImage(View(PcxMono(16, 2, bits))));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->kind, kImagePcx1);
  Surface surface(16, 2, kUnderneath);
  SetTextColor(surface.Dc(), RGB(0, 0, 0));
  SetBkColor(surface.Dc(), RGB(255, 255, 255));
  ASSERT_TRUE(DrawImage(image.get(), surface.Dc(), 0, 0, -1, -1, kBackColour));
  EXPECT_EQ(Hex(surface.At(7, 0)), Hex(RGB(255, 255, 255)));
  EXPECT_EQ(Hex(surface.At(7, 1)), Hex(RGB(0, 0, 0)));
}

TEST(ImageDrawing, APngIsBlendedOnceAgainstTheBackgroundColour) {
  // Red, green, blue, alpha: clear, opaque, half.
  const std::vector<uint8_t> rgba = {12, 34, 56, 0, 200, 100, 50, 255, 0, 255, 128, 128};
  OwnedImage image(DecodeImage(View(PngFromRgba(3, 1, rgba))));
  ASSERT_TRUE(image);
  Surface surface(3, 1, kUnderneath);
  ASSERT_TRUE(DrawImage(image.get(), surface.Dc(), 0, 0, -1, -1, kBackColour));
  EXPECT_EQ(Hex(surface.At(0, 0)), Hex(kBackColour));  // never what lies beneath
  EXPECT_EQ(Hex(surface.At(1, 0)), Hex(RGB(200, 100, 50)));
  // (128 * c + 127 * b) / 255 to the nearest: 35, 163, 191.
  EXPECT_EQ(Hex(surface.At(2, 0)), Hex(RGB(35, 163, 191)));
}

// Quadrants of `side` / 2 pixels each, coloured as Quadrants().
RgbImage SolidQuadrants(int side) {
  const RgbImage corners = Quadrants();
  RgbImage image{side, side, std::vector<uint8_t>(size_t(side) * side * 3)};
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const uint8_t* from = corners.At(x * 2 / side, y * 2 / side);
      std::copy(from, from + 3, image.rgb.begin() + (size_t(y) * side + x) * 3);
    }
  return image;
}

TEST(ImageDrawing, BmpAndJpegAreStretchedToTheRequestedSize) {
  // Quadrants of several pixels: a filtering stretch (HALFTONE) may blend
  // near the middle lines, never inside a quadrant.
  const RgbImage quadrants = SolidQuadrants(8);
  OwnedImage bmp(DecodeImage(View(BmpFromRgb(quadrants, 24))));
  ASSERT_TRUE(bmp);
  Surface surface(50, 50, kUnderneath);
  ASSERT_TRUE(DrawImage(bmp.get(), surface.Dc(), 5, 5, 40, 40, kBackColour));
  // Away from the middle lines each quadrant is its pixel's colour.
  EXPECT_TRUE(Near(surface.At(12, 12), RGB(255, 0, 0), 8)) << Hex(surface.At(12, 12));
  EXPECT_TRUE(Near(surface.At(37, 12), RGB(0, 255, 0), 8)) << Hex(surface.At(37, 12));
  EXPECT_TRUE(Near(surface.At(12, 37), RGB(0, 0, 255), 8)) << Hex(surface.At(12, 37));
  EXPECT_TRUE(Near(surface.At(37, 37), RGB(255, 255, 255), 8)) << Hex(surface.At(37, 37));
  EXPECT_EQ(surface.At(4, 4), kUnderneath);
  EXPECT_EQ(surface.At(45, 45), kUnderneath);
  EXPECT_NE(surface.At(44, 44), kUnderneath);

  // A greyscale JPEG of one level, stretched and shrunk, stays grey.
  RgbImage flat{16, 8, std::vector<uint8_t>(16 * 8 * 3, 0)};
  for (size_t i = 0; i < flat.rgb.size(); i += 3) flat.rgb[i] = 140;
  OwnedImage jpeg(DecodeImage(View(JpegFromRgb(flat, 95, true))));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->kind, kImageJpeg);
  for (int size : {37, 7}) {
    Surface grey(40, 40, kUnderneath);
    ASSERT_TRUE(DrawImage(jpeg.get(), grey.Dc(), 0, 0, size, size, kBackColour));
    const COLORREF middle = grey.At(size / 2, size / 2);
    EXPECT_TRUE(Near(middle, RGB(140, 140, 140), 2)) << size << " " << Hex(middle);
  }
}

TEST(ImageDrawing, TheTransparentBlitLeavesKeyColourPixelsUntouched) {
  const COLORREF key = RGB(255, 0, 255);
  // Magenta, red / blue, magenta.
  const RgbImage image{2, 2, {255, 0, 255, 255, 0, 0, 0, 0, 255, 255, 0, 255}};
  OwnedImage bmp(DecodeImage(View(BmpFromRgb(image, 24))));
  ASSERT_TRUE(bmp);
  Surface surface(4, 4, RGB(0, 128, 0));
  PreparedImage prepared;
  ASSERT_TRUE(PrepareImage(*bmp, surface.Dc(), kBackColour, &prepared));
  EXPECT_EQ(prepared.width, 2);
  ASSERT_TRUE(BlitImageTransparent(surface.Dc(), prepared, 1, 1, -1, -1, key));
  EXPECT_EQ(Hex(surface.At(1, 1)), Hex(RGB(0, 128, 0)));
  EXPECT_EQ(Hex(surface.At(2, 1)), Hex(RGB(255, 0, 0)));
  EXPECT_EQ(Hex(surface.At(1, 2)), Hex(RGB(0, 0, 255)));
  EXPECT_EQ(Hex(surface.At(2, 2)), Hex(RGB(0, 128, 0)));
  // The target's own colours are as they were.
  EXPECT_EQ(GetTextColor(surface.Dc()), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(surface.Dc()), RGB(255, 255, 255));
  // And the same image blitted with a raster operation covers everything.
  ASSERT_TRUE(BlitImage(surface.Dc(), prepared, 1, 1, -1, -1, SRCCOPY));
  EXPECT_EQ(Hex(surface.At(1, 1)), Hex(key));
  ReleasePreparedImage(&prepared);
  EXPECT_EQ(prepared.bitmap, nullptr);
}

std::vector<uint8_t> SolidBgra(int count, uint8_t blue, uint8_t green, uint8_t red) {
  std::vector<uint8_t> bgra;
  for (int i = 0; i < count; ++i) bgra.insert(bgra.end(), {blue, green, red, 255});
  return bgra;
}

TEST(ImageDrawing, AnIconFileOfOneTrueColourEntryGivesAnIconForBothWidths) {
  IconEntrySample entry;
  entry.width = entry.height = 48;
  entry.image = IconImage32(48, 48, SolidBgra(48 * 48, 0x20, 0x80, 0xC0));
  const SampleBytes ico = WriteIco(1, {entry});
  for (int wanted : {kPictureIconWidth, kSmallIconWidth}) {
    OwnedImage image(DecodeImage(View(ico), wanted));
    ASSERT_TRUE(image) << wanted;
    EXPECT_EQ(image->kind, kImageIcon);
    EXPECT_NE(image->icon, nullptr);
    EXPECT_EQ(image->width, 48);
    EXPECT_EQ(image->height, 48);
    Surface surface(60, 60, kUnderneath);
    ASSERT_TRUE(DrawImage(image.get(), surface.Dc(), 2, 2, -1, -1, kBackColour));
    EXPECT_EQ(Hex(surface.At(25, 25)), Hex(RGB(0xC0, 0x80, 0x20))) << wanted;
    EXPECT_EQ(surface.At(55, 55), kUnderneath);
    Surface small(20, 20, kUnderneath);
    ASSERT_TRUE(DrawImage(image.get(), small.Dc(), 0, 0, 16, 16, kBackColour));
    EXPECT_EQ(Hex(small.At(15, 15)), Hex(RGB(0xC0, 0x80, 0x20))) << wanted;
    EXPECT_EQ(small.At(16, 16), kUnderneath) << wanted;
  }
  OwnedImage cursor(DecodeImage(View(WriteIco(2, {entry}))));
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->kind, kImageCursor);
}

TEST(ImageDrawing, TheIconEntryOfTheWantedWidthIsTheOneShown) {
  const std::vector<uint8_t> palette = PatternIndexed(1, 1, 16).palette;
  std::vector<IconEntrySample> entries(2);
  entries[0].width = entries[0].height = 16;
  entries[0].colours = 16;
  entries[0].bits = 4;
  entries[0].image = IconImage4(16, 16, std::vector<uint8_t>(256, 1), palette);
  entries[1].width = entries[1].height = 32;
  entries[1].colours = 16;
  entries[1].bits = 4;
  entries[1].image = IconImage4(32, 32, std::vector<uint8_t>(1024, 2), palette);
  const SampleBytes ico = WriteIco(1, entries);
  OwnedImage big(DecodeImage(View(ico), kPictureIconWidth));
  OwnedImage small(DecodeImage(View(ico), kSmallIconWidth));
  ASSERT_TRUE(big);
  ASSERT_TRUE(small);
  EXPECT_EQ(big->width, 32);
  EXPECT_EQ(small->width, 16);
}

TEST(ImageDrawing, NoImageDrawsNothing) {
  EXPECT_EQ(DecodeImage(ByteBlock{}), nullptr);
  const SampleBytes seven = {'B', 'M', 0, 0, 0, 0, 0};
  EXPECT_EQ(DecodeImage(View(seven)), nullptr);
  SampleBytes rle = BmpFromRgb(Quadrants(), 24);
  rle[30] = 1;
  EXPECT_EQ(DecodeImage(View(rle)), nullptr);
  Surface surface(4, 4, kUnderneath);
  EXPECT_FALSE(DrawImage(nullptr, surface.Dc(), 0, 0, -1, -1, kBackColour));
  DecodedImage empty;
  EXPECT_FALSE(DrawImage(&empty, surface.Dc(), 0, 0, -1, -1, kBackColour));
  EXPECT_EQ(surface.At(0, 0), kUnderneath);
  FreeImage(nullptr);
}

}  // namespace
