// The progress bar: its range in either order, the position clamped into
// it, which changes re-create it, and a full bar.
#include "widgets/process_bar/process_bar.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "frame/common_controls.h"
#include "widgets/process_bar/process_bar_properties.h"
#include "widgets/unit_surface.h"

namespace {

struct Scene {
  Scene() : window(MakeSurfaceWindow(RGB(255, 255, 255), 400, 80)) {}
  ~Scene() { DestroyWindow(window); }
  HWND window;
};

class ProcessBarTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(EnsureCommonControls()); }

  HWND Create(const ProcessBarProperties& properties) {
    Bytes block;
    WriteProperties(properties, &block);
    return CreateUnitFromBlock(kProcessBarUnit, block, scene.window, RECT{30, 20, 362, 42});
  }

  Scene scene;
};

struct Range {
  int low, high;
};
Range RangeOf(HWND bar) {
  PBRANGE range{};
  SendMessageA(bar, PBM_GETRANGE, TRUE, LPARAM(&range));
  return Range{range.iLow, range.iHigh};
}
int PositionOf(HWND bar) { return int(SendMessageA(bar, PBM_GETPOS, 0, 0)); }

TEST_F(ProcessBarTest, TheRangeTakesItsBoundsInEitherOrderAndHoldsThePosition) {
  ProcessBarProperties properties;
  properties.minimum = 50;
  properties.maximum = 10;
  properties.position = 30;
  HWND bar = Create(properties);
  ASSERT_TRUE(bar);
  EXPECT_EQ(RangeOf(bar).low, 10);
  EXPECT_EQ(RangeOf(bar).high, 50);
  EXPECT_EQ(PositionOf(bar), 30);
  struct Case {
    int32_t position;
    int shown;
  };
  for (const Case& c : {Case{70, 50}, Case{-5, 10}, Case{40000, 50}, Case{25, 25}}) {
    EXPECT_FALSE(
        WriteProperty(kProcessBarUnit, bar, kProcessBarPosition, Value::Integer(c.position)));
    EXPECT_EQ(PositionOf(bar), c.shown) << c.position;
  }
  // A new bound moves the position into the new range.
  WriteProperty(kProcessBarUnit, bar, kProcessBarMaximum, Value::Integer(80));
  EXPECT_EQ(RangeOf(bar).low, 50);
  EXPECT_EQ(RangeOf(bar).high, 80);
  EXPECT_EQ(PositionOf(bar), 50);
  WriteProperty(kProcessBarUnit, bar, kProcessBarMinimum, Value::Integer(-7));
  EXPECT_EQ(RangeOf(bar).low, 0) << "bounds clamp to 0..32767";
  EXPECT_EQ(PositionOf(bar), 50);
}

TEST_F(ProcessBarTest, StyleChangesReCreateOthersApplyInPlace) {
  HWND bar = Create(ProcessBarProperties{});
  ASSERT_TRUE(bar);
  EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_STATICEDGE) << "border 3 by default";
  EXPECT_FALSE(WriteProperty(kProcessBarUnit, bar, kProcessBarBorder, Value::Integer(1)));
  EXPECT_TRUE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_FALSE(GetWindowLongA(bar, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_TRUE(WriteProperty(kProcessBarUnit, bar, kProcessBarVertical, Value::Integer(1)));
  EXPECT_TRUE(WriteProperty(kProcessBarUnit, bar, kProcessBarSmooth, Value::Integer(1)));
  // What the frame writes back for the new window carries both styles.
  ProcessBarProperties record =
      *static_cast<ProcessBarProperties*>(kProcessBarUnit.properties(bar));
  HWND fresh = Create(record);
  ASSERT_TRUE(fresh);
  EXPECT_EQ(GetWindowLongA(fresh, GWL_STYLE) & (PBS_VERTICAL | PBS_SMOOTH),
            PBS_VERTICAL | PBS_SMOOTH);
}

TEST_F(ProcessBarTest, TheLastPositionFillsTheBar) {
  const uint32_t barColour = GetSysColor(COLOR_HIGHLIGHT);
  for (int32_t smooth : {0, 1}) {
    ProcessBarProperties properties;
    properties.maximum = 59;
    properties.smooth = smooth;
    HWND bar = Create(properties);
    ASSERT_TRUE(bar);
    auto rightmostBar = [bar, barColour]() {
      const Pixels pixels = RenderClient(bar, RGB(0, 0, 0));
      int rightmost = -1;
      for (int x = 0; x < pixels.width; ++x)
        if (pixels.At(x, pixels.height / 2) == barColour) rightmost = x;
      return rightmost;
    };
    RECT client;
    GetClientRect(bar, &client);
    EXPECT_EQ(rightmostBar(), -1) << "empty at 0";
    WriteProperty(kProcessBarUnit, bar, kProcessBarPosition, Value::Integer(30));
    const int half = rightmostBar();
    EXPECT_GT(half, 0);
    EXPECT_LT(half, client.right * 3 / 4);
    WriteProperty(kProcessBarUnit, bar, kProcessBarPosition, Value::Integer(59));
    // Inside the control's one-pixel frame; a bar of chunks may end on the
    // gap between two of them.
    const int gap = smooth ? 0 : 2;
    EXPECT_GE(rightmostBar(), client.right - 2 - gap) << "smooth " << smooth;
    DestroyWindow(bar);
  }
}

}  // namespace
