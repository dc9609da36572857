// The hyperlink box in a window that the frame loads: what it shows, its
// colours as the pointer comes and goes, a click with nothing to open, and
// the font it falls back to.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "support/gui_driver.h"
#include "tests/wine/widgets/hyperlinker_samples.h"
#include "tests/wine/widgets/unit_host.h"
#include "widgets/hyperlinker/open_link.h"

namespace {

constexpr uint32_t kWindow = 0x52080001;
constexpr uint32_t kOwn = 0x06080001;
constexpr uint32_t kLinks[] = {0x16080001, 0x16080002, 0x16080003, 0x16080004};

std::vector<TemplateRecord> WindowOf(const std::vector<HyperLinkerProperties>& links) {
  std::vector<TemplateRecord> records{HostWindowRecord(kOwn, 100, 100, 400, 300, 0x00FFFFFF)};
  for (size_t i = 0; i < links.size(); ++i)
    records.push_back(LinkRecord(kLinks[i], 20, 20 + 40 * int(i), links[i]));
  return records;
}

// The ink box of a rendering: the pixels that are not the background.
RECT InkBox(const Rendering& rendering, COLORREF background) {
  RECT box{rendering.Width(), rendering.Height(), -1, -1};
  for (int y = 0; y < rendering.Height(); ++y)
    for (int x = 0; x < rendering.Width(); ++x)
      if (rendering.At(x, y) != background) {
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x > box.right) box.right = x;
        if (y > box.bottom) box.bottom = y;
      }
  return box;
}

// The tone of the box's text once it is `expected`, or when the wait for it
// gives up.
COLORREF ToneOnceItIs(HWND box, COLORREF expected) {
  WaitUntil([&] { return TextTone(Rendering(box), kLinkBack) == expected; });
  return TextTone(Rendering(box), kLinkBack);
}

class HyperLinkerTest : public ::testing::Test {
 protected:
  // The pointer starts out of every box's way: a box under it would show its
  // hover colour as soon as it hears a move.
  void SetUp() override { MoveMouseTo(900, 700); }
};

TEST_F(HyperLinkerTest, ShowsItsCaptionElseItsAddress) {
  HyperLinkerProperties captioned = ColouredLink();
  captioned.caption = "http://a.example/";
  HyperLinkerProperties webOnly = ColouredLink();
  webOnly.linkKind = 1;
  webOnly.webAddress = "http://a.example/";
  HyperLinkerProperties mailCaption = ColouredLink();
  mailCaption.caption = "someone@a.example";
  HyperLinkerProperties mailOnly = ColouredLink();
  mailOnly.mailAddress = "someone@a.example";
  HostedWindow window(kWindow, WindowOf({captioned, webOnly, mailCaption, mailOnly}));
  ASSERT_TRUE(window.Loaded());
  const Rendering web(window.Unit(kLinks[1]));
  EXPECT_TRUE(web == Rendering(window.Unit(kLinks[0])));
  // The mail address without its scheme.
  EXPECT_TRUE(Rendering(window.Unit(kLinks[3])) == Rendering(window.Unit(kLinks[2])));
  EXPECT_EQ(TextTone(web, kLinkBack), kLinkNormal);
  // Centred across the box.
  const RECT ink = InkBox(web, kLinkBack);
  ASSERT_GE(ink.right, ink.left);
  EXPECT_LE(std::abs(ink.left - (web.Width() - 1 - ink.right)), 3)
      << ink.left << " .. " << ink.right << " of " << web.Width();
}

TEST_F(HyperLinkerTest, HoverColourWhileThePointerIsOver) {
  HyperLinkerProperties link = ColouredLink();
  link.caption = "hover here";
  HostedWindow window(kWindow, WindowOf({link}));
  ASSERT_TRUE(window.Loaded());
  HWND box = window.Unit(kLinks[0]);
  EXPECT_EQ(TextTone(Rendering(box), kLinkBack), kLinkNormal);
  const POINT inside = OnScreen(box, 40, 12);
  MoveMouseTo(inside.x, inside.y);
  EXPECT_EQ(ToneOnceItIs(box, kLinkHover), kLinkHover);
  EXPECT_EQ(GetCapture(), box);
  MoveMouseTo(inside.x + 5, inside.y + 2);
  EXPECT_EQ(ToneOnceItIs(box, kLinkHover), kLinkHover);
  const POINT outside = OnScreen(box, 40, 60);
  MoveMouseTo(outside.x, outside.y);
  EXPECT_EQ(ToneOnceItIs(box, kLinkNormal), kLinkNormal);
  EXPECT_NE(GetCapture(), box);
}

// The hover rests on the capture. A window that comes over the box (as the
// agreement window does when the box's own press opens it) ends the hover
// at the next move, and the box lets the capture go, so that a click there
// reaches that window; a capture taken away ends the hover at once.
TEST_F(HyperLinkerTest, HoverEndsWhenTheBoxIsCoveredOrLosesTheCapture) {
  HyperLinkerProperties link = ColouredLink();
  link.caption = "covered";
  HostedWindow window(kWindow, WindowOf({link}));
  ASSERT_TRUE(window.Loaded());
  HWND box = window.Unit(kLinks[0]);
  const POINT inside = OnScreen(box, 40, 12);
  MoveMouseTo(inside.x, inside.y);
  ASSERT_EQ(ToneOnceItIs(box, kLinkHover), kLinkHover);
  ASSERT_EQ(GetCapture(), box);

  RECT rect;
  GetWindowRect(box, &rect);
  // A button: a static window lets the pointer through to what lies below.
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "BUTTON", "", WS_POPUP | WS_VISIBLE, rect.left - 10,
                               rect.top - 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(cover, nullptr);
  ASSERT_TRUE(DispatchUntilIdle());
  MoveMouseTo(inside.x + 3, inside.y + 1);
  EXPECT_EQ(ToneOnceItIs(box, kLinkNormal), kLinkNormal) << "hover under a window";
  EXPECT_NE(GetCapture(), box);
  DestroyWindow(cover);
  ASSERT_TRUE(DispatchUntilIdle());

  MoveMouseTo(inside.x, inside.y);
  ASSERT_EQ(ToneOnceItIs(box, kLinkHover), kLinkHover);
  SetCapture(window.Window());
  EXPECT_EQ(ToneOnceItIs(box, kLinkNormal), kLinkNormal) << "hover without the capture";
  ReleaseCapture();
}

// The focused box shows its focus cue, and only while it has the focus.
TEST_F(HyperLinkerTest, FocusedBoxShowsItsFocusCue) {
  HyperLinkerProperties link = ColouredLink();
  link.caption = "keys";
  std::vector<TemplateRecord> records = WindowOf({link});
  records[1].flags |= kUnitTabStop;
  HostedWindow window(kWindow, records);
  ASSERT_TRUE(window.Loaded());
  HWND box = window.Unit(kLinks[0]);
  const Rendering unfocused(box);
  SetFocus(box);
  EXPECT_TRUE(WaitUntil([&] { return !(Rendering(box) == unfocused); })) << "no focus cue";
  SetFocus(window.Window());
  EXPECT_TRUE(WaitUntil([&] { return Rendering(box) == unfocused; })) << "the focus cue stayed";
}

TEST_F(HyperLinkerTest, ClickWithNoAddressOpensNothingAndStaysUnvisited) {
  HyperLinkerProperties mail = ColouredLink();
  mail.caption = "no address";
  HyperLinkerProperties web = mail;
  web.linkKind = 1;
  EXPECT_FALSE(OpenHyperLink(mail, SW_SHOW));
  EXPECT_FALSE(OpenHyperLink(web, SW_SHOW));
  HostedWindow window(kWindow, WindowOf({mail}));
  ASSERT_TRUE(window.Loaded());
  HWND box = window.Unit(kLinks[0]);
  ClickWindow(box);
  // Away onto the window: the box holds the capture and hears the move.
  const POINT away = OnScreen(box, 40, 60);
  MoveMouseTo(away.x, away.y);
  EXPECT_EQ(ToneOnceItIs(box, kLinkNormal), kLinkNormal);
}

TEST_F(HyperLinkerTest, FontRecordOfAnotherLengthMeansTheDefaultGuiFont) {
  HyperLinkerProperties plain = ColouredLink();
  plain.caption = "Font";
  HyperLinkerProperties short59 = plain;
  LOGFONTA big{};
  big.lfHeight = -30;
  big.lfWeight = FW_BOLD;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&big);
  short59.font.assign(bytes, bytes + 59);
  HyperLinkerProperties full60 = plain;
  full60.font.assign(bytes, bytes + sizeof big);
  ASSERT_EQ(full60.font.size(), 60u);
  HostedWindow window(kWindow, WindowOf({plain, short59, full60}));
  ASSERT_TRUE(window.Loaded());
  const Rendering byDefault(window.Unit(kLinks[0]));
  EXPECT_TRUE(Rendering(window.Unit(kLinks[1])) == byDefault);
  EXPECT_FALSE(Rendering(window.Unit(kLinks[2])) == byDefault);
}

}  // namespace
