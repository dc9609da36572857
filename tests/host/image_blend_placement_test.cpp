// The two pieces of drawing arithmetic: PNG transparency blended against a
// background colour, and where display mode 2 puts a picture.
#include <gtest/gtest.h>

#include <cmath>

#include "image_test_support.h"
#include "widgets/image/alpha_blend.h"
#include "widgets/image/image_placement.h"
#include "widgets/image/png_decoder.h"

namespace {

constexpr uint32_t kBackColour = 0x00FF4646;  // red 0x46, green 0x46, blue 0xFF

TEST(AlphaBlend, APngOverTheBackColourShowsItWhereTransparentAndNothingElseWhereOpaque) {
  // Red, green, blue, alpha: clear, opaque, half, nearly clear.
  const std::vector<uint8_t> rgba = {
      12, 34, 56, 0, 200, 100, 50, 255, 0, 255, 128, 128, 255, 255, 255, 1,
  };
  Decoded png;
  ASSERT_TRUE(DecodePng(View(PngFromRgba(4, 1, rgba)), &png.image));
  std::vector<uint8_t> out(16);
  BlendOverBackground(png.image.pixels, out.data(), 4, kBackColour);
  // Blue, green, red, alpha.
  const std::vector<uint8_t> expected = {
      0xFF,
      0x46,
      0x46,
      0,  // exactly the back colour
      50,
      100,
      200,
      255,  // unchanged
      // (128 * c + 127 * b) / 255 to the nearest: blue (16384 + 32385) / 255
      // = 191.25, green (32640 + 8890) / 255 = 162.86, red 8890 / 255 = 34.86
      191,
      163,
      35,
      128,
      // (255 + 254 * 0xFF) / 255 = 255, (255 + 254 * 70) / 255 = 70.72
      255,
      71,
      71,
      1,
  };
  EXPECT_EQ(out, expected);
}

TEST(AlphaBlend, EveryAlphaRoundsToTheNearestAndBlendsInPlace) {
  std::vector<uint8_t> pixels;
  for (int a = 0; a < 256; ++a) pixels.insert(pixels.end(), {uint8_t(a * 7), 255, 0, uint8_t(a)});
  const std::vector<uint8_t> source = pixels;
  const uint32_t background = 0x00C81E05;  // red 5, green 30, blue 200
  BlendOverBackground(pixels.data(), pixels.data(), 256, background);
  const double back[3] = {200, 30, 5};
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 3; ++c) {
      const double colour = source[a * 4 + c];
      const double exact = a == 255 ? colour : a / 255.0 * colour + (1 - a / 255.0) * back[c];
      EXPECT_EQ(pixels[a * 4 + c], uint8_t(std::lround(exact)))
          << "alpha " << a << " channel " << c;
    }
}

TEST(ImagePlacement, DisplayModesPlaceAndScaleThePicture) {
  struct Case {
    int mode, clientWidth, clientHeight, imageWidth, imageHeight;
    ImagePlacement expected;
  } cases[] = {
      {2, 100, 100, 50, 20, {25, 40, 50, 20}},
      {2, 100, 100, 200, 100, {0, 25, 100, 50}},
      {2, 100, 100, 100, 100, {0, 0, 100, 100}},
      {2, 100, 100, 100, 300, {33, 0, 33, 100}},  // 100/3 truncated, centred
      {2, 100, 60, 90, 80, {16, 0, 67, 60}},      // taller than the area only
      {2, 7, 100, 3, 1000, {3, 0, 0, 100}},       // scaled below one pixel wide
      {2, 96, 96, 200, 200, {0, 0, 96, 96}},      // the installer's header picture
      {2, 101, 51, 10, 10, {45, 20, 10, 10}},     // odd remainders rounded down
      {0, 100, 100, 200, 100, {0, 0, 200, 100}},
      {1, 100, 100, 50, 20, {0, 0, 100, 100}},
      {5, 100, 100, 50, 20, {25, 40, 50, 20}},  // above 2 counts as 2
      {-1, 100, 100, 50, 20, {0, 0, 50, 20}},
      {2, 0, 100, 50, 20, {0, 0, 0, 0}},
      {2, 100, 100, 0, 20, {0, 0, 0, 0}},
      // The sizes of a 16,384-pixel picture multiply without overflow.
      {2, 16384, 3, 16384, 16384, {8190, 0, 3, 3}},
  };
  for (const Case& c : cases) {
    const ImagePlacement p =
        PlaceImage(c.mode, c.clientWidth, c.clientHeight, c.imageWidth, c.imageHeight);
    EXPECT_EQ(p.x, c.expected.x) << c.mode << " " << c.imageWidth << "x" << c.imageHeight;
    EXPECT_EQ(p.y, c.expected.y) << c.mode << " " << c.imageWidth << "x" << c.imageHeight;
    EXPECT_EQ(p.width, c.expected.width) << c.mode << " " << c.imageWidth << "x" << c.imageHeight;
    EXPECT_EQ(p.height, c.expected.height) << c.mode << " " << c.imageWidth << "x" << c.imageHeight;
  }
}

}  // namespace
