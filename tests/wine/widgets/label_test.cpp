// The label: a plain panel of its back colour, its own border band, its
// picture in the three modes and its gradients, each checked in its pixels.
#include "widgets/label/label.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/real_input.h"
#include "widgets/label/label_properties.h"
#include "widgets/unit_surface.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr uint32_t kNoColour = 0xFF000000;

Bytes BlockOf(const LabelProperties& properties) {
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

// A label with no caption on `back`.
LabelProperties Blank(COLORREF back) {
  LabelProperties properties;
  properties.caption.clear();
  properties.backColor = back;
  return properties;
}

struct Scene {
  Scene() : window(MakeSurfaceWindow(kYellow, 240, 160)) {}
  ~Scene() { DestroyWindow(window); }
  HWND window;
};

// A 24-bit BMP file of `width` x `height` pixels of `colours`, rows top-down.
Bytes BmpFile(int width, int height, const std::vector<COLORREF>& colours) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  Bytes file(54 + size_t(rowBytes) * size_t(height), 0);
  auto put32 = [&file](size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + size_t(i)] = uint8_t(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, uint32_t(file.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(width));
  put32(22, uint32_t(height));
  file[26] = 1;
  file[28] = 24;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = colours[size_t(y * width + x)];
      uint8_t* pixel = &file[54 + size_t((height - 1 - y) * rowBytes + x * 3)];
      pixel[0] = GetBValue(colour);
      pixel[1] = GetGValue(colour);
      pixel[2] = GetRValue(colour);
    }
  return file;
}

bool Near(uint32_t colour, COLORREF expected, int tolerance) {
  return abs(int(GetRValue(colour)) - int(GetRValue(expected))) <= tolerance &&
         abs(int(GetGValue(colour)) - int(GetGValue(expected))) <= tolerance &&
         abs(int(GetBValue(colour)) - int(GetBValue(expected))) <= tolerance;
}

TEST(Label, AnEmptyCaptionOnWhiteIsAPlainWhiteRectangle) {
  Scene scene;
  LabelProperties properties = Blank(kWhite);
  HWND label =
      CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window, RECT{0, 20, 200, 140});
  ASSERT_TRUE(label);
  EXPECT_EQ(RenderClient(label, kRed).CountOtherThan(kWhite), 0);
  DispatchUntilIdle();
  EXPECT_EQ(ReadScreen(label).CountOtherThan(kWhite), 0);
}

TEST(Label, TheBandShadesThroughItsColoursAndNarrowBandsWidenToFive) {
  Scene scene;
  LabelProperties properties = Blank(kWhite);
  properties.border = 6;
  properties.borderWidth = 3;
  properties.borderColor1 = kRed;
  properties.borderColor2 = kGreen;
  properties.borderColor3 = kBlue;
  HWND label =
      CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window, RECT{0, 0, 60, 40}, false);
  ASSERT_TRUE(label);
  LabelProperties* record = static_cast<LabelProperties*>(kLabelUnit.properties(label));
  EXPECT_EQ(record->borderWidth, 5) << "from the block";
  EXPECT_EQ(GetWindowLongA(label, GWL_STYLE) & WS_BORDER, 0) << "style 6 adds no system border";
  const Pixels three = RenderClient(label, kYellow);
  // Rings 0 to 4 from the edge: red, between, green, between, blue; then
  // the back colour.
  EXPECT_EQ(three.At(0, 0), kRed);
  EXPECT_EQ(three.At(2, 20), kGreen);
  EXPECT_EQ(three.At(30, 4), kBlue);
  EXPECT_EQ(three.At(55, 35), kBlue);
  EXPECT_EQ(three.At(5, 5), kWhite);
  EXPECT_EQ(three.CountOtherThan(kWhite, 5, 5, 55, 35), 0);

  WriteProperty(kLabelUnit, label, kLabelBorderWidth, Value::Integer(5));
  EXPECT_TRUE(RenderClient(label, kYellow) == three);
  WriteProperty(kLabelUnit, label, kLabelBorderWidth, Value::Integer(3));
  EXPECT_EQ(record->borderWidth, 5) << "written";
  EXPECT_TRUE(RenderClient(label, kYellow) == three);
  WriteProperty(kLabelUnit, label, kLabelBorderWidth, Value::Integer(6));
  EXPECT_FALSE(RenderClient(label, kYellow) == three);

  // With one colour left there is no band.
  WriteProperty(kLabelUnit, label, kLabelBorderColor1, Value::Integer(int32_t(kNoColour)));
  WriteProperty(kLabelUnit, label, kLabelBorderColor2, Value::Integer(int32_t(kNoColour)));
  EXPECT_EQ(RenderClient(label, kYellow).CountOtherThan(kWhite), 0);
}

// Border and PictureMode are choices whose ranges the class's table holds:
// a value beyond either end, from the block or written, is that end.
TEST(Label, BorderAndPictureModeBeyondTheirRangesAreTheirEnds) {
  Scene scene;
  LabelProperties properties = Blank(kWhite);
  properties.borderWidth = 5;
  properties.borderColor1 = kRed;
  properties.borderColor2 = kBlue;
  properties.picture = BmpFile(2, 2, {kRed, kGreen, kBlue, kWhite});
  auto make = [&](int32_t border, int32_t mode) {
    properties.border = border;
    properties.pictureMode = mode;
    return CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window, RECT{0, 0, 40, 30},
                               false);
  };
  HWND inRange = make(6, 2), beyond = make(9, 7);
  ASSERT_TRUE(inRange && beyond);
  EXPECT_EQ(GetWindowLongA(beyond, GWL_STYLE) & WS_BORDER, 0) << "the own band, no system border";
  EXPECT_TRUE(RenderClient(beyond, kYellow) == RenderClient(inRange, kYellow));
  HWND below = make(-3, -1);
  ASSERT_TRUE(below);
  WriteProperty(kLabelUnit, inRange, kLabelBorder, Value::Integer(-3));
  WriteProperty(kLabelUnit, inRange, kLabelPictureMode, Value::Integer(-1));
  const LabelProperties* record = static_cast<LabelProperties*>(kLabelUnit.properties(inRange));
  EXPECT_EQ(record->border, 0);
  EXPECT_EQ(record->pictureMode, 0);
  EXPECT_TRUE(RenderClient(below, kYellow) == RenderClient(inRange, kYellow));
}

TEST(Label, ThePictureModesPlaceThePictureInsideTheBand) {
  // A 2 x 2 picture: red, green over blue, white.
  const Bytes picture = BmpFile(2, 2, {kRed, kGreen, kBlue, kWhite});
  const COLORREF back = kYellow;
  struct Case {
    int32_t mode;
    int32_t border;          // 0, or 6 with a band of 5
    int pictureX, pictureY;  // where its top-left pixel lands
    bool tiled;
  };
  const Case cases[] = {
      {0, 0, 0, 0, false}, {2, 0, 9, 5, false}, {1, 0, 0, 0, true},
      {0, 6, 5, 5, false}, {2, 6, 9, 5, false}, {1, 6, 5, 5, true},
  };
  for (const Case& c : cases) {
    Scene scene;
    LabelProperties properties = Blank(back);
    properties.picture = picture;
    properties.pictureMode = c.mode;
    properties.border = c.border;
    properties.borderWidth = 5;
    HWND label = CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window,
                                     RECT{0, 0, 20, 12}, false);
    ASSERT_TRUE(label);
    const Pixels pixels = RenderClient(label, kWhite);
    const int inset = c.border == 6 ? 5 : 0;
    for (int y = inset; y < 12 - inset; ++y)
      for (int x = inset; x < 20 - inset; ++x) {
        const int px = x - c.pictureX, py = y - c.pictureY;
        COLORREF expected = back;
        if (c.tiled || (px >= 0 && px < 2 && py >= 0 && py < 2)) {
          const int tx = ((px % 2) + 2) % 2, ty = ((py % 2) + 2) % 2;
          expected = ty == 0 ? (tx == 0 ? kRed : kGreen) : (tx == 0 ? kBlue : kWhite);
        }
        ASSERT_EQ(pixels.At(x, y), expected)
            << "mode " << c.mode << " border " << c.border << " at " << x << "," << y;
      }
  }
}

TEST(Label, AnUndecodablePictureLeavesTheBackColour) {
  Scene scene;
  LabelProperties properties = Blank(kGreen);
  properties.picture = Bytes{'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8};
  HWND label =
      CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window, RECT{0, 0, 30, 20}, false);
  ASSERT_TRUE(label);
  EXPECT_EQ(RenderClient(label, kRed).CountOtherThan(kGreen), 0);
  WriteProperty(kLabelUnit, label, kLabelPicture, Value::OfBlock(ViewOf(BmpFile(1, 1, {kBlue}))));
  EXPECT_EQ(RenderClient(label, kRed).CountOtherThan(kBlue), 0) << "a new picture, tiled";
}

TEST(Label, GradientsRunTheirWay) {
  // Red to blue, the middle colour left out; M is halfway.
  const COLORREF kMiddle = RGB(128, 0, 128);
  struct Case {
    int32_t pattern;
    COLORREF topLeft, topRight, bottomLeft, bottomRight, centre;
  };
  const Case cases[] = {
      {1, kRed, kBlue, kRed, kBlue, kMiddle},      {2, kRed, kRed, kBlue, kBlue, kMiddle},
      {3, kBlue, kRed, kBlue, kRed, kMiddle},      {4, kBlue, kBlue, kRed, kRed, kMiddle},
      {5, kRed, kRed, kRed, kRed, kBlue},          {6, kRed, kRed, kRed, kRed, kBlue},
      {7, kRed, kMiddle, kMiddle, kBlue, kMiddle}, {8, kMiddle, kBlue, kRed, kMiddle, kMiddle},
  };
  for (const Case& c : cases) {
    Scene scene;
    LabelProperties properties = Blank(kYellow);
    properties.gradient = c.pattern;
    properties.gradientColor1 = kRed;
    properties.gradientColor2 = kNoColour;
    properties.gradientColor3 = kBlue;
    HWND label = CreateUnitFromBlock(kLabelUnit, BlockOf(properties), scene.window,
                                     RECT{0, 0, 101, 61}, false);
    ASSERT_TRUE(label);
    const Pixels pixels = RenderClient(label, kWhite);
    // A few pixels in from each corner, where the shading has hardly moved.
    const int tolerance = 24;
    EXPECT_TRUE(Near(pixels.At(1, 1), c.topLeft, tolerance)) << c.pattern;
    EXPECT_TRUE(Near(pixels.At(99, 1), c.topRight, tolerance)) << c.pattern;
    EXPECT_TRUE(Near(pixels.At(1, 59), c.bottomLeft, tolerance)) << c.pattern;
    EXPECT_TRUE(Near(pixels.At(99, 59), c.bottomRight, tolerance)) << c.pattern;
    EXPECT_TRUE(Near(pixels.At(50, 30), c.centre, tolerance)) << c.pattern;
  }
}

}  // namespace
