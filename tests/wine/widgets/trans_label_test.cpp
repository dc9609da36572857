// The transparent label on a window and on a panel: what it paints (only
// its glyphs), what it leaves behind when its caption, place or size
// changes (nothing), its effects and its ampersands.
#include "widgets/trans_label/trans_label.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/real_input.h"
#include "widgets/trans_label/trans_label_properties.h"
#include "widgets/unit_surface.h"

namespace {

constexpr COLORREF kBlue = RGB(70, 70, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kRed = RGB(200, 0, 0);

Bytes LabelBlock(const char* caption, COLORREF textColour, int32_t effect = 0, int32_t hAlign = 0) {
  TransLabelProperties properties;
  properties.caption = caption;
  properties.textColor = textColour;
  properties.effect = effect;
  properties.hAlign = hAlign;
  properties.font = SharpFont(16, FW_BOLD);
  Bytes block;
  WriteProperties(properties, &block);
  return block;
}

// A window of one colour for one case, gone with it.
struct Scene {
  explicit Scene(COLORREF colour, int width = 240, int height = 80)
      : window(MakeSurfaceWindow(colour, width, height)) {}
  ~Scene() { DestroyWindow(window); }
  HWND window;
};

// The extent of the pixels of one colour, edges included.
struct Extent {
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

Extent ExtentOf(const Pixels& pixels, uint32_t colour) {
  Extent extent;
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x)
      if (pixels.At(x, y) == colour) {
        extent.left = x < extent.left ? x : extent.left;
        extent.top = y < extent.top ? y : extent.top;
        extent.right = x > extent.right ? x : extent.right;
        extent.bottom = y > extent.bottom ? y : extent.bottom;
      }
  return extent;
}

TEST(TransLabel, AnEmptyCaptionPaintsNothing) {
  Scene scene(kBlue);
  for (int32_t effect : {0, 1, 2, 3}) {
    HWND label = CreateUnitFromBlock(kTransLabelUnit, LabelBlock("", kWhite, effect), scene.window,
                                     RECT{10, 10, 160, 40});
    ASSERT_TRUE(label);
    EXPECT_EQ(RenderClient(label, kBlue).CountOtherThan(kBlue), 0) << "effect " << effect;
    DispatchUntilIdle();
    EXPECT_EQ(ReadScreen(label).CountOtherThan(kBlue), 0) << "effect " << effect;
    // The same label with a caption does show on the screen.
    WriteProperty(kTransLabelUnit, label, kTransLabelCaption, Value::OfText("Morvane"));
    DispatchUntilIdle();
    EXPECT_GT(ReadScreen(label).CountOtherThan(kBlue), 0) << "effect " << effect;
    DestroyWindow(label);
  }
}

TEST(TransLabel, AShorterCaptionLeavesNoTraceOfTheLongerOne) {
  // On the window itself, which clips its children, and on a panel inside
  // it, as the product's title sits on its banner.
  for (bool onPanel : {false, true}) {
    Scene scene(kWhite);
    HWND parent =
        onPanel ? MakeSurfacePanel(scene.window, kBlue, RECT{0, 0, 240, 80}) : scene.window;
    const COLORREF back = onPanel ? kBlue : kWhite;
    HWND label = CreateUnitFromBlock(kTransLabelUnit, LabelBlock("WWWWWWWWWWWW", kRed), parent,
                                     RECT{10, 10, 210, 40});
    ASSERT_TRUE(label);
    DispatchUntilIdle();
    const Pixels before = ReadScreen(label);
    ASSERT_GT(before.CountOtherThan(back, 40, 0, before.width, before.height), 0)
        << "the long caption reaches past the first letter";
    WriteProperty(kTransLabelUnit, label, kTransLabelCaption, Value::OfText("W"));
    DispatchUntilIdle();
    const Pixels after = ReadScreen(label);
    EXPECT_EQ(after.CountOtherThan(back, 40, 0, after.width, after.height), 0)
        << (onPanel ? "on the panel" : "on the window");
    EXPECT_GT(after.CountOtherThan(back, 0, 0, 40, after.height), 0) << "the short caption shows";
  }
}

// A label moved or resized shows exactly what a label made there shows.
TEST(TransLabel, AMovedOrResizedLabelLooksAsIfMadeThere) {
  const RECT first{10, 10, 150, 40};
  struct Case {
    const char* change;
    RECT rect;
  };
  const Case cases[] = {
      {"moved right by 5", RECT{15, 10, 155, 40}},
      {"moved down by 3", RECT{10, 13, 150, 43}},
      {"narrowed, caption centred", RECT{10, 10, 110, 40}},
  };
  for (const Case& c : cases) {
    Pixels changed, fresh;
    {
      Scene scene(kBlue);
      HWND panel = MakeSurfacePanel(scene.window, kBlue, RECT{0, 0, 240, 80});
      HWND label =
          CreateUnitFromBlock(kTransLabelUnit, LabelBlock("Morvane", kWhite, 0, 1), panel, first);
      DispatchUntilIdle();
      SetWindowPos(label, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                   c.rect.bottom - c.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
      DispatchUntilIdle();
      changed = ReadScreen(scene.window);
    }
    {
      Scene scene(kBlue);
      HWND panel = MakeSurfacePanel(scene.window, kBlue, RECT{0, 0, 240, 80});
      CreateUnitFromBlock(kTransLabelUnit, LabelBlock("Morvane", kWhite, 0, 1), panel, c.rect);
      DispatchUntilIdle();
      fresh = ReadScreen(scene.window);
    }
    EXPECT_GT(fresh.CountOtherThan(kBlue), 0) << c.change;
    EXPECT_TRUE(changed == fresh) << c.change;
  }
}

TEST(TransLabel, EffectsOutsideTheirRangeActAsTheNearest) {
  Scene scene(kGrey);
  HWND label = CreateUnitFromBlock(kTransLabelUnit, LabelBlock("Morvane", kRed, 7), scene.window,
                                   RECT{10, 10, 160, 40}, false);
  ASSERT_TRUE(label);
  EXPECT_EQ(static_cast<TransLabelProperties*>(kTransLabelUnit.properties(label))->effect, 3)
      << "from the block";
  auto render = [label](int32_t effect) {
    WriteProperty(kTransLabelUnit, label, kTransLabelEffect, Value::Integer(effect));
    return RenderClient(label, kGrey);
  };
  EXPECT_TRUE(render(7) == render(3));
  EXPECT_TRUE(render(-1) == render(0));
  EXPECT_FALSE(render(3) == render(0));
}

TEST(TransLabel, EachEffectPutsItsCopyWhereItBelongs) {
  Scene scene(kGrey);
  HWND label = CreateUnitFromBlock(kTransLabelUnit, LabelBlock("Morvane", kRed), scene.window,
                                   RECT{10, 10, 160, 40}, false);
  ASSERT_TRUE(label);
  auto render = [label](int32_t effect) {
    WriteProperty(kTransLabelUnit, label, kTransLabelEffect, Value::Integer(effect));
    return RenderClient(label, kGrey);
  };
  const Pixels plain = render(0);
  const Extent text = ExtentOf(plain, kRed);
  ASSERT_FALSE(text.Empty());
  EXPECT_TRUE(ExtentOf(plain, kWhite).Empty() && ExtentOf(plain, kBlack).Empty());
  struct Case {
    int32_t effect;
    COLORREF copyColour;
    int copyOffset;  // right and down, from where the plain text is
    int mainOffset;
  };
  const Case cases[] = {{1, kWhite, 1, 0}, {2, kWhite, 0, 1}, {3, kBlack, 2, 0}};
  for (const Case& c : cases) {
    const Pixels pixels = render(c.effect);
    const Extent main = ExtentOf(pixels, kRed);
    EXPECT_EQ(main.left, text.left + c.mainOffset) << c.effect;
    EXPECT_EQ(main.top, text.top + c.mainOffset) << c.effect;
    EXPECT_EQ(main.right, text.right + c.mainOffset) << c.effect;
    EXPECT_EQ(main.bottom, text.bottom + c.mainOffset) << c.effect;
    // The copy's side away from the main text is never covered by it.
    const Extent copy = ExtentOf(pixels, c.copyColour);
    ASSERT_FALSE(copy.Empty()) << c.effect;
    if (c.copyOffset > c.mainOffset) {
      EXPECT_EQ(copy.right, text.right + c.copyOffset) << c.effect;
      EXPECT_EQ(copy.bottom, text.bottom + c.copyOffset) << c.effect;
    } else {
      EXPECT_EQ(copy.left, text.left + c.copyOffset) << c.effect;
      EXPECT_EQ(copy.top, text.top + c.copyOffset) << c.effect;
    }
  }
}

TEST(TransLabel, AmpersandsAreMnemonicPrefixes) {
  Scene scene(kGrey);
  HWND label = CreateUnitFromBlock(kTransLabelUnit, LabelBlock("A&&B", kRed), scene.window,
                                   RECT{10, 10, 160, 40}, false);
  ASSERT_TRUE(label);
  const Bytes fontRecord = SharpFont(16, FW_BOLD);
  LOGFONTA logFont;
  memcpy(&logFont, fontRecord.data(), sizeof logFont);
  HFONT font = CreateFontIndirectA(&logFont);
  // The text as it is, without prefix processing.
  auto verbatim = [font](const char* text) {
    return RenderWith(150, 30, kGrey, [font, text](HDC hdc) {
      SelectObject(hdc, font);
      SetBkMode(hdc, TRANSPARENT);
      SetTextColor(hdc, kRed);
      RECT rect{0, 0, 150, 30};
      DrawTextA(hdc, text, -1, &rect, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    });
  };
  EXPECT_TRUE(RenderClient(label, kGrey) == verbatim("A&B")) << "a doubled ampersand shows one";
  WriteProperty(kTransLabelUnit, label, kTransLabelCaption, Value::OfText("A&B"));
  EXPECT_FALSE(RenderClient(label, kGrey) == verbatim("A&B")) << "a single one is a prefix";
  DeleteObject(font);
}

}  // namespace
