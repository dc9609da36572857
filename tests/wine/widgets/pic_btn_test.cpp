// The graphic button in a window that the frame loads, worked with real
// mouse input: when a push button clicks, which picture each state shows,
// toggle buttons, the cut-out shape and the colour PNG transparency takes.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frame/unit_properties.h"
#include "image_samples.h"
#include "support/test_support.h"
#include "support/gui_driver.h"
#include "tests/wine/frame/scenario_log.h"
#include "tests/wine/frame/test_pad/test_pad.h"
#include "tests/wine/widgets/unit_host.h"
#include "widgets/pic_btn/pic_btn.h"

namespace {

constexpr uint32_t kWindow = 0x52070001;
constexpr uint32_t kOwn = 0x06070001;
constexpr uint32_t kButton = 0x16070001;
constexpr uint32_t kSecondButton = 0x16070002;
constexpr uint32_t kPad = 0x16070003;
constexpr uint32_t kThirdButton = 0x16070004;
constexpr uint32_t kPicBtnType = 0x0001002D;
constexpr int kHostLeft = 100, kHostTop = 100, kHostWidth = 400, kHostHeight = 300;
constexpr int kClickEvent = 0;
constexpr int kCheckedIndex = ClassProperty(kPicBtnChecked);
constexpr int kTransparentColorIndex = ClassProperty(kPicBtnTransparentColor);
constexpr UnitRef kButtonUnit{WindowId{kWindow}, UnitId{kButton}};
constexpr UnitRef kSecondButtonUnit{WindowId{kWindow}, UnitId{kSecondButton}};

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

Bytes AsBytes(const SampleBytes& sample) { return Bytes(sample.begin(), sample.end()); }

// A BMP of one colour, or of two where `shape` says which pixels take the
// first: called with (x, y), true for `colour`, false for `other`.
template <typename Shape>
Bytes Bmp(int width, int height, COLORREF colour, COLORREF other, Shape shape) {
  RgbImage image{width, height, std::vector<uint8_t>(size_t(width) * height * 3)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = shape(x, y) ? colour : other;
      uint8_t* p = image.rgb.data() + (size_t(y) * width + x) * 3;
      p[0] = GetRValue(c);
      p[1] = GetGValue(c);
      p[2] = GetBValue(c);
    }
  return AsBytes(BmpFromRgb(image, 24));
}

Bytes SolidBmp(int width, int height, COLORREF colour) {
  return Bmp(width, height, colour, colour, [](int, int) { return true; });
}

// A button record of the four state pictures (each may be empty).
struct ButtonSpec {
  uint32_t id = kButton;
  int left = 20, top = 20, width = 60, height = 30;
  uint32_t flags = kUnitVisible;
  PicBtnProperties properties;
};

PicBtnProperties FourColours(int width, int height, bool withDisabled) {
  PicBtnProperties properties;
  properties.normalPicture = SolidBmp(width, height, kRed);
  properties.hoverPicture = SolidBmp(width, height, kGreen);
  properties.pressedPicture = SolidBmp(width, height, kBlue);
  if (withDisabled) properties.disabledPicture = SolidBmp(width, height, kGrey);
  return properties;
}

TemplateRecord ButtonRecord(const ButtonSpec& spec) {
  Bytes block;
  WriteProperties(spec.properties, &block);
  TemplateRecord record = UnitRecord(spec.id, kPicBtnType, spec.left, spec.top, spec.width,
                                     spec.height, spec.flags, block);
  BindRecorder(&record, kClickEvent);
  return record;
}

std::vector<TemplateRecord> WindowOf(const std::vector<ButtonSpec>& buttons,
                                     uint32_t backColor = 0x00FFFFFF) {
  std::vector<TemplateRecord> records{
      HostWindowRecord(kOwn, kHostLeft, kHostTop, kHostWidth, kHostHeight, backColor)};
  for (const ButtonSpec& spec : buttons) records.push_back(ButtonRecord(spec));
  return records;
}

// What the button shows now, read at its centre.
COLORREF Shown(HWND button) {
  Rendering rendering(button);
  return rendering.At(rendering.Width() / 2, rendering.Height() / 2);
}

// What the button shows once it shows `expected`, or when the wait for it
// gives up.
COLORREF ShownOnceItIs(HWND button, COLORREF expected) {
  WaitUntil([&] { return Shown(button) == expected; });
  return Shown(button);
}

class PicBtnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RaisedEvents().clear();
    // Out of every test window's way.
    MoveMouseTo(900, 700);
  }
  // Each dispatches the messages of the input, here in this thread.
  static void Move(POINT at) { MoveMouseTo(at.x, at.y); }
  static void Press(POINT at) { PressLeftAt(at.x, at.y); }
  static void Release(POINT at) { ReleaseLeftAt(at.x, at.y); }
  static void Click(POINT at) { ClickAt(at.x, at.y); }
};

TEST_F(PicBtnTest, PushButtonClicksOnlyWhenReleasedOverIt) {
  ButtonSpec spec;
  spec.properties = FourColours(spec.width, spec.height, false);
  HostedWindow window(kWindow, WindowOf({spec}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  const POINT inside = OnScreen(button, 30, 15), outside = OnScreen(button, 130, 15);
  EXPECT_EQ(Shown(button), kRed);
  Move(inside);
  EXPECT_EQ(ShownOnceItIs(button, kGreen), kGreen) << "hover";

  // Press, leave, release outside: pressed, then normal on leaving; no click.
  Press(inside);
  EXPECT_EQ(ShownOnceItIs(button, kBlue), kBlue);
  Move(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  // The press that left keeps the capture, for a return while held.
  EXPECT_EQ(GetCapture(), button);
  Release(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  EXPECT_NE(GetCapture(), button);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 0);

  // Press, leave, come back still holding: pressed again; released inside,
  // one click.
  Press(inside);
  Move(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  Move(inside);
  EXPECT_EQ(ShownOnceItIs(button, kBlue), kBlue);
  Release(inside);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 1);
  EXPECT_NE(Shown(button), kBlue);

  // Leaving without a press ends the hover.
  Move(inside);
  Move(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  EXPECT_NE(GetCapture(), button);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 1);

  // A press begun beside the button and released on it is no click.
  Press(outside);
  Move(inside);
  Release(inside);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 1);
}

// From the keyboard: the focused button shows its focus cue over the
// picture; Space and BM_CLICK (what Enter sends it) click it, but not while
// something lies over it, where no mouse press could reach it either.
TEST_F(PicBtnTest, KeyboardClicksTheFocusedButtonThatNothingCovers) {
  ButtonSpec spec;
  spec.properties = FourColours(spec.width, spec.height, false);
  spec.flags |= kUnitTabStop;
  HostedWindow window(kWindow, WindowOf({spec}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  EXPECT_EQ(SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  SetForegroundWindow(window.Window());
  SetFocus(button);
  // The dotted rectangle, one pixel in: along its left side, every other
  // pixel is inverted; the picture is left alone elsewhere.
  const auto dottedPixels = [&] {
    const Rendering focused(button);
    int dotted = 0;
    for (int y = 1; y < spec.height - 1; ++y) dotted += focused.At(1, y) != kRed;
    return dotted;
  };
  EXPECT_TRUE(WaitUntil([&] { return dottedPixels() >= spec.height / 3; }))
      << "no focus cue along the left side";
  EXPECT_EQ(Shown(button), kRed);
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return CountRaised(kButton, kClickEvent) == 1; }));
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 2);

  RECT rect;
  GetClientRect(window.Window(), &rect);
  HWND cover = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, rect.right,
                               rect.bottom, window.Window(), nullptr, nullptr, nullptr);
  ASSERT_NE(cover, nullptr);
  SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(button);
  PressKey(VK_SPACE);
  SendMessageA(button, BM_CLICK, 0, 0);
  ASSERT_TRUE(DispatchUntilIdle());
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 2) << "clicked under a cover";
  DestroyWindow(cover);
}

TEST_F(PicBtnTest, DisabledButtonShowsDisabledOrNormalPictureAndIgnoresTheMouse) {
  ButtonSpec plain;
  plain.flags = kUnitVisible | kUnitDisabled;
  plain.properties = FourColours(plain.width, plain.height, false);
  ButtonSpec withDisabled = plain;
  withDisabled.id = kSecondButton;
  withDisabled.left = 120;
  withDisabled.properties = FourColours(plain.width, plain.height, true);
  HostedWindow window(kWindow, WindowOf({plain, withDisabled}));
  ASSERT_TRUE(window.Loaded());
  for (uint32_t id : {kButton, kSecondButton}) {
    HWND button = window.Unit(id);
    const COLORREF disabledLook = id == kButton ? kRed : kGrey;
    EXPECT_EQ(Shown(button), disabledLook) << std::hex << id;
    Move(OnScreen(button, 30, 15));
    EXPECT_EQ(ShownOnceItIs(button, disabledLook), disabledLook) << std::hex << id;
    Press(OnScreen(button, 30, 15));
    EXPECT_EQ(ShownOnceItIs(button, disabledLook), disabledLook) << std::hex << id;
    Release(OnScreen(button, 30, 15));
    EXPECT_EQ(CountRaised(id, kClickEvent), 0) << std::hex << id;
  }
  // Enabled and disabled again through the common property: the picture
  // follows at once.
  HWND second = window.Unit(kSecondButton);
  WriteUnitProperty(kSecondButtonUnit, kDisabledProperty, Value::Logical(false));
  EXPECT_EQ(Shown(second), kRed);
  WriteUnitProperty(kSecondButtonUnit, kDisabledProperty, Value::Logical(true));
  EXPECT_EQ(Shown(second), kGrey);
}

TEST_F(PicBtnTest, ToggleButtonFlipsOnEachClickAndRaisesEach) {
  ButtonSpec spec;
  spec.properties = FourColours(spec.width, spec.height, false);
  spec.properties.buttonKind = 1;
  ButtonSpec startsChecked = spec;
  startsChecked.id = kSecondButton;
  startsChecked.left = 120;
  startsChecked.properties.checked = true;
  HostedWindow window(kWindow, WindowOf({spec, startsChecked}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  EXPECT_EQ(Shown(window.Unit(kSecondButton)), kBlue) << "a checked toggle button starts pressed";

  // A toggle button has no hover picture.
  Move(OnScreen(button, 30, 15));
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  Click(OnScreen(button, 30, 15));
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 1);
  EXPECT_TRUE(ReadUnitProperty(kButtonUnit, kCheckedIndex).logical);
  EXPECT_EQ(ShownOnceItIs(button, kBlue), kBlue);
  Click(OnScreen(button, 30, 15));
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 2);
  EXPECT_FALSE(ReadUnitProperty(kButtonUnit, kCheckedIndex).logical);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);

  // Checked written by a handler sets the state without a click.
  WriteUnitProperty(kButtonUnit, kCheckedIndex, Value::Logical(true));
  EXPECT_EQ(Shown(button), kBlue);
  EXPECT_EQ(CountRaised(kButton, kClickEvent), 2);
}

// Whether every pixel of the picture is inside the window's shape exactly
// when it is not white.
void ExpectShapeFollowsPicture(HWND button, int width, int height, bool (*isShape)(int x, int y)) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(button, region), ERROR);
  int wrong = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if ((PtInRegion(region, x, y) != FALSE) != isShape(x, y) && ++wrong <= 5)
        ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
  EXPECT_EQ(wrong, 0);
  DeleteObject(region);
}

int RegionKind(HWND button, RECT* box) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int kind = GetWindowRgn(button, region);
  if (kind != ERROR) GetRgnBox(region, box);
  DeleteObject(region);
  return kind;
}

bool Diamond(int x, int y) { return std::abs(x - 20) + std::abs(y - 10) <= 9; }
bool Alternate(int x, int) { return x % 2 == 0; }

TEST_F(PicBtnTest, CutOutColourShapesTheWindow) {
  ButtonSpec shaped;
  shaped.width = 40;
  shaped.height = 20;
  shaped.properties.normalPicture = Bmp(40, 20, kRed, kWhite, Diamond);
  shaped.properties.transparentColor = 0x00FFFFFF;
  ButtonSpec unshaped = shaped;
  unshaped.id = kSecondButton;
  unshaped.left = 120;
  unshaped.properties.normalPicture = SolidBmp(40, 20, kRed);
  HostedWindow window(kWindow, WindowOf({shaped, unshaped}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  ExpectShapeFollowsPicture(button, 40, 20, Diamond);
  // Where the window is cut out, the pointer is over the window behind it.
  EXPECT_EQ(WindowFromPoint(OnScreen(button, 20, 10)), button);
  EXPECT_NE(WindowFromPoint(OnScreen(button, 1, 1)), button);

  // A picture without the key colour keeps the whole rectangle.
  RECT box{};
  EXPECT_EQ(RegionKind(window.Unit(kSecondButton), &box), SIMPLEREGION);
  EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == 40 && box.bottom == 20);

  // No cut-out colour: no region of its own; the colour back: the shape back.
  WriteUnitProperty(kButtonUnit, kTransparentColorIndex, Value::Integer(int32_t(0xFF000000)));
  EXPECT_EQ(RegionKind(button, &box), ERROR);
  WriteUnitProperty(kButtonUnit, kTransparentColorIndex, Value::Integer(0x00FFFFFF));
  ExpectShapeFollowsPicture(button, 40, 20, Diamond);
}

TEST_F(PicBtnTest, ShapeOfManyRunsIsMergedFromEveryBatch) {
  // 3,000 x 3 alternating pixels: 4,500 runs, merged 2,000 at a time.
  ButtonSpec wide;
  wide.left = 0;
  wide.top = 0;
  wide.width = 3000;
  wide.height = 3;
  wide.properties.normalPicture = Bmp(3000, 3, kRed, kWhite, Alternate);
  wide.properties.transparentColor = 0x00FFFFFF;
  HostedWindow window(kWindow, WindowOf({wide}));
  ASSERT_TRUE(window.Loaded());
  ExpectShapeFollowsPicture(window.Unit(kButton), 3000, 3, Alternate);
}

TEST_F(PicBtnTest, PictureIsDrawnAtItsOwnSizeOverBlack) {
  ButtonSpec small;
  small.width = 122;
  small.height = 39;
  small.properties.normalPicture = SolidBmp(100, 30, kRed);
  ButtonSpec large = small;
  large.id = kSecondButton;
  large.top = 80;
  large.properties.normalPicture = SolidBmp(200, 60, kGreen);
  ButtonSpec none = small;
  none.id = kThirdButton;
  none.top = 140;
  none.properties.normalPicture = Bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
  HostedWindow window(kWindow, WindowOf({small, large, none}));
  ASSERT_TRUE(window.Loaded());
  Rendering shown(window.Unit(kButton));
  EXPECT_EQ(shown.At(0, 0), kRed);
  EXPECT_EQ(shown.At(99, 29), kRed);
  EXPECT_EQ(shown.At(100, 10), kBlack) << "band on the right";
  EXPECT_EQ(shown.At(121, 10), kBlack);
  EXPECT_EQ(shown.At(50, 30), kBlack) << "band at the bottom";
  EXPECT_EQ(shown.At(121, 38), kBlack);
  Rendering cut(window.Unit(kSecondButton));
  EXPECT_EQ(cut.At(121, 38), kGreen) << "a larger picture is cut off";
  Rendering black(window.Unit(kThirdButton));
  EXPECT_EQ(black.At(60, 20), kBlack) << "no usable picture paints black";
}

// A PNG whose left half is fully transparent blue and right half opaque red.
Bytes HalfTransparentPng() {
  std::vector<uint8_t> rgba;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool left = x < 5;
      rgba.insert(rgba.end(),
                  {uint8_t(left ? 0 : 255), 0, uint8_t(left ? 255 : 0), uint8_t(left ? 0 : 255)});
    }
  return AsBytes(PngFromRgba(10, 10, rgba));
}

TEST_F(PicBtnTest, PngTransparencyTakesTheOwningWindowColour) {
  // The pad's own log is not looked at.
  SetLogPath((MakeScratchFolder("pic-btn-pad") + "\\pad.log").c_str());
  const COLORREF windowColour = RGB(0x33, 0x66, 0x99);
  ButtonSpec onWindow;
  onWindow.width = 10;
  onWindow.height = 10;
  onWindow.properties.normalPicture = HalfTransparentPng();
  ButtonSpec onPad = onWindow;
  onPad.id = kSecondButton;
  onPad.left = 5;
  onPad.top = 5;
  std::vector<TemplateRecord> records = WindowOf({onWindow}, windowColour);
  TemplateRecord second = ButtonRecord(onPad);
  second.parent = int32_t(kPad);
  records.push_back(second);
  records.push_back(UnitRecord(kPad, kTestPadType, 100, 100, 60, 60, kUnitVisible, Bytes()));
  HostedWindow window(kWindow, records);
  ASSERT_TRUE(window.Loaded());
  ASSERT_EQ(GetParent(window.Unit(kSecondButton)), window.Unit(kPad));
  for (uint32_t id : {kButton, kSecondButton}) {
    Rendering shown(window.Unit(id));
    EXPECT_EQ(shown.At(2, 5), windowColour) << std::hex << id;
    EXPECT_EQ(shown.At(7, 5), kRed) << std::hex << id;
  }

  // A window whose BackColor is the default: the face colour.
  HostedWindow plain(kWindow + 1, WindowOf({onWindow}, 0xFF000000));
  ASSERT_TRUE(plain.Loaded());
  EXPECT_EQ(Rendering(plain.Unit(kButton)).At(2, 5), GetSysColor(COLOR_BTNFACE));
}

TEST_F(PicBtnTest, IconIsDrawnOnWhiteAtItsOwnSize) {
  // 16 x 16, transparent but for an opaque red top half.
  std::vector<uint8_t> bgra;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      bgra.insert(bgra.end(), {0, 0, uint8_t(y < 8 ? 255 : 0), uint8_t(y < 8 ? 255 : 0)});
  IconEntrySample entry;
  entry.width = 16;
  entry.height = 16;
  entry.image = IconImage32(16, 16, bgra);
  ButtonSpec spec;
  spec.width = 20;
  spec.height = 20;
  spec.properties.normalPicture = AsBytes(WriteIco(1, {entry}));
  HostedWindow window(kWindow, WindowOf({spec}, RGB(0, 0, 255)));
  ASSERT_TRUE(window.Loaded());
  Rendering shown(window.Unit(kButton));
  EXPECT_EQ(shown.At(8, 3), kRed);
  EXPECT_EQ(shown.At(8, 12), kWhite);
  EXPECT_EQ(shown.At(17, 8), kBlack);
}

// The state pictures are made when first shown: what a state shows is the
// picture last written for it, before or after it was first shown; one that
// cannot be made leaves the normal picture, each time.
TEST_F(PicBtnTest, EachStateShowsItsLastWrittenPicture) {
  ButtonSpec spec;
  spec.properties = FourColours(spec.width, spec.height, true);
  ButtonSpec damaged = spec;
  damaged.id = kSecondButton;
  damaged.left = 120;
  damaged.properties.hoverPicture = Bytes{'B', 'M', 'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'};
  HostedWindow window(kWindow, WindowOf({spec, damaged}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  const POINT inside = OnScreen(button, 30, 15), outside = OnScreen(button, 130, 60);
  const int hoverIndex = ClassProperty(kPicBtnHoverPicture);
  const Bytes yellow = SolidBmp(spec.width, spec.height, RGB(255, 255, 0));
  const Bytes white = SolidBmp(spec.width, spec.height, kWhite);

  WriteUnitProperty(kButtonUnit, hoverIndex, Value::OfBlock(ViewOf(yellow)));
  Move(inside);
  EXPECT_EQ(ShownOnceItIs(button, RGB(255, 255, 0)), RGB(255, 255, 0)) << "written before";
  Move(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  WriteUnitProperty(kButtonUnit, hoverIndex, Value::OfBlock(ViewOf(white)));
  Move(inside);
  EXPECT_EQ(ShownOnceItIs(button, kWhite), kWhite) << "written after it was shown";
  // Written while shown: at once.
  WriteUnitProperty(kButtonUnit, hoverIndex, Value::OfBlock(ViewOf(yellow)));
  EXPECT_EQ(Shown(button), RGB(255, 255, 0));
  Move(outside);
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);

  WriteUnitProperty(kButtonUnit, ClassProperty(kPicBtnDisabledPicture),
                    Value::OfBlock(ViewOf(white)));
  WriteUnitProperty(kButtonUnit, kDisabledProperty, Value::Logical(true));
  EXPECT_EQ(Shown(button), kWhite) << "the disabled picture written while enabled";
  WriteUnitProperty(kButtonUnit, kDisabledProperty, Value::Logical(false));
  EXPECT_EQ(Shown(button), kRed);

  HWND second = window.Unit(kSecondButton);
  for (int round = 0; round < 2; ++round) {
    Move(OnScreen(second, 30, 15));
    // Hovered (the button holds the capture), yet in its normal look.
    EXPECT_TRUE(WaitUntil([&] { return GetCapture() == second; })) << round;
    EXPECT_EQ(Shown(second), kRed) << "a damaged hover picture, round " << round;
    Move(outside);
    EXPECT_TRUE(WaitUntil([&] { return GetCapture() != second; })) << round;
  }
}

// The window's shape follows the shown picture when that is first made on
// a hover, and the normal picture's again after it.
TEST_F(PicBtnTest, TheShapeFollowsAHoverPictureFirstShown) {
  ButtonSpec spec;
  spec.width = 40;
  spec.height = 20;
  spec.properties.normalPicture = SolidBmp(40, 20, kRed);
  spec.properties.hoverPicture = Bmp(40, 20, kGreen, kWhite, Diamond);
  spec.properties.transparentColor = 0x00FFFFFF;
  HostedWindow window(kWindow, WindowOf({spec}));
  ASSERT_TRUE(window.Loaded());
  HWND button = window.Unit(kButton);
  RECT box{};
  EXPECT_EQ(RegionKind(button, &box), SIMPLEREGION);
  Move(OnScreen(button, 20, 10));
  ASSERT_EQ(ShownOnceItIs(button, kGreen), kGreen);
  ExpectShapeFollowsPicture(button, 40, 20, Diamond);
  Move(OnScreen(button, 130, 60));
  EXPECT_EQ(ShownOnceItIs(button, kRed), kRed);
  EXPECT_EQ(RegionKind(button, &box), SIMPLEREGION);
  EXPECT_TRUE(box.left == 0 && box.top == 0 && box.right == 40 && box.bottom == 20);
}

}  // namespace
