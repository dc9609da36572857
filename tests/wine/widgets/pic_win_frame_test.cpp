// The window unit and the picture box under the real frame, driven from
// outside as a person would: Esc closes a window whatever has the focus and
// a close-request handler can refuse it; a press on a picture box drags a
// window that drags anywhere; and the product's banner looks as it should
// on the screen. Arguments: the scenario program, the compiled template.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "frame/template/template_reader.h"
#include "support/logging_program_test.h"
#include "support/test_support.h"
#include "texts/runtime_errors.h"
#include "support/dib_surface.h"
#include "support/gui_driver.h"
#include "tests/wine/widgets/pic_win_ids.h"
#include "widgets/image/image.h"
#include "widgets/pic_box/pic_box_properties.h"

namespace {

constexpr COLORREF kBannerColour = 0x00FF4646;  // red 70, green 70, blue 255
constexpr COLORREF kWhite = 0x00FFFFFF;

std::string WindowEvent(int number) {
  return "event " + Hex8(kScenarioWindow) + " " + Hex8(kScenarioOwn) + " " + std::to_string(number);
}

class PicWinScenario : public LoggingProgramTest {
 protected:
  void Start(const char* scenario, const std::string& extra = "") {
    StartTestProgram(std::string(scenario) + " \"" + NewLog(scenario) + "\"" + extra);
  }
  HWND ShownWindow(const char* caption) {
    HWND window = WaitForTopWindow(program_, caption);
    if (!window || !BringToFront(window)) return nullptr;
    return window;
  }
};

TEST_F(PicWinScenario, EscClosesTheWindowWhicheverUnitHasTheFocus) {
  for (bool onPad : {false, true}) {
    Start("esc");
    HWND window = ShownWindow(kScenarioCaption);
    ASSERT_TRUE(window);
    if (onPad) {
      // The pad takes the focus when pressed.
      const POINT pad = OnScreen(window, kPadLeft + kPadWidth / 2, kPadTop + kPadHeight / 2);
      ClickAt(pad.x, pad.y);
      ASSERT_TRUE(WaitForLogged("pad " + Hex8(kScenarioPad) + " saw press"));
    }
    PressKey(VK_ESCAPE);
    EXPECT_EQ(ExitCode(), 0u) << (onPad ? "pad focused" : "window focused");
    // The close request, then the close query, each once.
    const std::vector<std::string> log = Log();
    std::vector<std::string> closing;
    for (const std::string& line : log)
      if (line == WindowEvent(12) || line == WindowEvent(1)) closing.push_back(line);
    EXPECT_EQ(closing, (std::vector<std::string>{WindowEvent(12), WindowEvent(1)}));
    EXPECT_EQ(Count("program entry returns 0"), 1);
  }
}

// A window whose class cannot be registered (its ClassName names a system
// control's class) is the frame's run-time error, not a window that is
// merely missing.
TEST_F(PicWinScenario, AWindowClassThatCannotBeRegisteredIsARunTimeError) {
  Start("foreign-class");
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &seen));
  EXPECT_EQ(seen.caption, kRuntimeErrorCaption);
  EXPECT_NE(seen.text.find(Gbk("注册窗口类“Button”失败")), std::string::npos) << seen.text;
  ClickBoxButton(seen, IDOK);
  EXPECT_EQ(ExitCode(), DWORD(-1));
  EXPECT_EQ(Count("program entry returns 0"), 0);
}

TEST_F(PicWinScenario, AVetoOfTheCloseRequestKeepsTheWindowOpen) {
  Start("veto");
  HWND window = ShownWindow(kScenarioCaption);
  ASSERT_TRUE(window);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitForLogged(WindowEvent(12)));
  ASSERT_TRUE(Synchronise(window));  // past what the refused request would have led to
  EXPECT_TRUE(IsRunning(program_));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Count(WindowEvent(1)), 0) << "a refused request goes no further";
  ASSERT_TRUE(BringToFront(window));
  PressKey(VK_ESCAPE);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_EQ(Count(WindowEvent(12)), 2);
  EXPECT_EQ(Count(WindowEvent(1)), 1);
}

TEST_F(PicWinScenario, APressOnThePictureBoxDragsTheWindowAndRaisesNoEventOfIt) {
  Start("drag");
  HWND window = ShownWindow(kScenarioCaption);
  ASSERT_TRUE(window);
  const POINT box =
      OnScreen(window, kPicBoxLeft + kPicBoxWidth / 2, kPicBoxTop + kPicBoxHeight / 2);
  // Each drag with the program's thread held until the mouse is released:
  // the window still follows the mouse from where it was pressed.
  EXPECT_TRUE(DragWindowPastItsThread(window, box, 60, 40))
      << "the window did not follow the mouse";
  const std::string boxEvent = "event " + Hex8(kScenarioWindow) + " " + Hex8(kScenarioPicBox);
  EXPECT_EQ(Count(boxEvent + " -1"), 0) << "the press belongs to the window";
  EXPECT_EQ(Count(boxEvent + " -2"), 0) << "and so does the release";

  // On the window's own surface the press drags too, and is the window's.
  EXPECT_TRUE(DragWindowPastItsThread(window, OnScreen(window, 200, 180), 40, 30))
      << "the window did not follow the mouse";
  EXPECT_GE(Count(WindowEvent(-1)), 1);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

bool Near(COLORREF a, COLORREF b) {
  return abs(GetRValue(a) - GetRValue(b)) <= 3 && abs(GetGValue(a) - GetGValue(b)) <= 3 &&
         abs(GetBValue(a) - GetBValue(b)) <= 3;
}

// The logo as the product's template stores it, drawn as the picture box
// draws it: stretched into 96 x 96 over the banner colour.
bool ExpectedLogo(SurfacePixels* logo) {
  std::string file;
  if (!ReadWholeFile(HostPath(TestArgument(1)), &file)) return false;
  Bytes bytes(file.begin(), file.end());
  Template product;
  if (!ReadTemplate(ViewOf(bytes), nullptr, &product)) return false;
  for (const TemplateWindow& window : product.windows) {
    if (uint32_t(window.identifier) != kStartWindow) continue;
    for (const TemplateRecord& record : window.records) {
      if (uint32_t(record.identifier) != kLogo) continue;
      PicBoxProperties properties;
      if (!ReadProperties(ViewOf(record.properties), &properties)) return false;
      OwnedImage image(DecodeImage(ViewOf(properties.picture)));
      if (!image) return false;
      DibSurface surface(96, 96);
      const bool drawn = DrawImage(image.get(), surface.Dc(), 0, 0, 96, 96, kBannerColour);
      *logo = surface.Read();
      return drawn;
    }
  }
  return false;
}

TEST_F(PicWinScenario, TheProductsStartWindowShowsItsBannerAndLogo) {
  SurfacePixels expected;
  ASSERT_TRUE(ExpectedLogo(&expected));
  Start("product", " \"" + HostPath(TestArgument(1)) + "\"");
  HWND window = ShownWindow(nullptr);
  ASSERT_TRUE(window);
  RECT rect{};
  GetWindowRect(window, &rect);
  ASSERT_EQ(rect.right - rect.left, 393);
  ASSERT_EQ(rect.bottom - rect.top, 277);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 393) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 277) / 2);
  EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
  auto capture = [&] { return CaptureScreenArea(rect); };
  // The banner: the top 136 rows, across the window, around the logo.
  const POINT banner[] = {{0, 0},    {5, 5},    {392, 0},  {392, 135}, {100, 60}, {300, 100},
                          {147, 70}, {244, 70}, {196, 23}, {196, 120}, {0, 135}};
  // Below it, the window's white surface.
  const POINT surface[] = {{0, 136}, {5, 140}, {200, 200}, {392, 276}};
  // The logo, stretched into 96 x 96 at (148, 24), as drawn here.
  auto logoDiffers = [&](const SurfacePixels& shot) {
    int differing = 0;
    for (int y = 0; y < 96; ++y)
      for (int x = 0; x < 96; ++x) differing += !Near(shot.At(148 + x, 24 + y), expected.At(x, y));
    return differing;
  };
  auto looksRight = [&](const SurfacePixels& shot) {
    for (POINT at : banner)
      if (shot.At(at.x, at.y) != kBannerColour) return false;
    for (POINT at : surface)
      if (shot.At(at.x, at.y) != kWhite) return false;
    return logoDiffers(shot) == 0;
  };
  // What the window paints reaches the screen a moment later.
  SurfacePixels shot;
  WaitUntil([&] {
    shot = capture();
    return looksRight(shot);
  });

  for (POINT at : banner)
    EXPECT_EQ(shot.At(at.x, at.y), kBannerColour) << "banner at " << at.x << "," << at.y;
  for (POINT at : surface)
    EXPECT_EQ(shot.At(at.x, at.y), kWhite) << "surface at " << at.x << "," << at.y;
  int logoPixels = 0;
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 96; ++x) logoPixels += expected.At(x, y) != kBannerColour;
  EXPECT_GT(logoPixels, 96 * 96 / 10) << "the logo covers part of its box";
  EXPECT_EQ(logoDiffers(shot), 0);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

}  // namespace
