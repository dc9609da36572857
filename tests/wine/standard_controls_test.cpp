// The edit box and the check box driven from outside, as a person would: the
// scenario program (tests/wine/controls) runs the frame with the real
// classes on a window that reflects their notifications; the driver types
// and clicks with SendInput, reads the controls through their messages and
// the screen, and checks the events the program logged.
// Arguments: the scenario program, the product's licence text (code page
// 936, as the build converts it).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/logging_program_test.h"
#include "support/test_support.h"
#include "tests/wine/controls/control_ids.h"
#include "texts/unit_defaults.h"
#include "support/gui_driver.h"

namespace {

// The text of a control of the program: WM_GETTEXT is marshalled across
// the process boundary.
std::string ControlText(HWND hwnd) {
  const LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::vector<char> text(size_t(length) + 2, '\0');
  SendMessageA(hwnd, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()));
  return std::string(text.data());
}

RECT ScreenRect(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT ClientOnScreen(HWND hwnd) {
  RECT rect{};
  GetClientRect(hwnd, &rect);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE TextSize(HFONT font, const char* text) {
  SIZE size{};
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  GetTextExtentPoint32A(screen, text, lstrlenA(text), &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size;
}

void TypeKeys(const std::vector<WORD>& keys) {
  for (WORD key : keys) PressKey(key);
}

class StandardControls : public LoggingProgramTest {
 protected:
  void SetUp() override {
    ASSERT_GE(TestArgumentCount(), 2) << "scenario program and licence text";
    ASSERT_NO_FATAL_FAILURE(StartTestProgram("\"" + NewLog("standard-controls") + "\" \"" +
                                             HostPath(TestArgument(1)) + "\""));
    window_ = WaitForTopWindow(program_, kControlsCaption);
    ASSERT_TRUE(window_) << "the controls window did not appear";
    ASSERT_TRUE(BringToFront(window_));
    numeric_ = Handle("numeric");
    free_ = Handle("free");
    tall_ = Handle("tall");
    spin_ = Handle("spin");
    check_ = Handle("check");
    ASSERT_TRUE(numeric_ && free_ && tall_ && spin_ && check_);
  }
  void TearDown() override {
    if (window_ && IsWindow(window_)) PostMessageA(window_, WM_CLOSE, 0, 0);
    DWORD code = 0;
    if (IsRunning(program_)) WaitForExit(&program_, kGiveUpMs, &code);
    LoggingProgramTest::TearDown();
  }

  std::vector<std::string> Changes(uint32_t unit) {
    std::vector<std::string> changes;
    const std::string prefix = "change " + Hex8(unit) + " ";
    for (const std::string& line : Log())
      if (line.compare(0, prefix.size(), prefix) == 0)
        changes.push_back(line.substr(prefix.size()));
    return changes;
  }
  // The latest handle the program logged for `name`.
  HWND Handle(const char* name) {
    const std::string prefix = std::string("handle ") + name + " ";
    HWND found = nullptr;
    WaitUntil([&] {
      for (const std::string& line : Log())
        if (line.compare(0, prefix.size(), prefix) == 0)
          found = HWND(uintptr_t(std::stoul(line.substr(prefix.size()))));
      return found != nullptr;
    });
    return found;
  }
  // Alt with `key`, twice, toggles `check` on and off, each time once and
  // with its event ("<name> on", "<name> off"), and the key reaches no box:
  // the focused `box` keeps its text.
  void ExpectAltTogglesTheCheckBox(char key, HWND check, const std::string& name, HWND box) {
    const std::string text = ControlText(box);
    const std::string on = name + " on", off = name + " off";
    PressKey(WORD(key), VK_MENU);
    ASSERT_TRUE(WaitForLogged(on) && Synchronise(window_));
    EXPECT_EQ(Count(on), 1);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ControlText(box), text) << "the key went to the mnemonic, not the box";
    PressKey(WORD(key), VK_MENU);
    ASSERT_TRUE(WaitForLogged(off) && Synchronise(window_));
    EXPECT_EQ(Count(on), 1);
    EXPECT_EQ(Count(off), 1);
    EXPECT_EQ(SendMessageA(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  }
  bool RunStep(int step) {
    const std::string done = "step " + std::to_string(step) + " done";
    const int before = Count(done);
    PostMessageA(window_, kMsgRunStep, WPARAM(step), 0);
    return WaitUntil([&] { return Count(done) > before; });
  }

  HWND window_ = nullptr;
  HWND numeric_ = nullptr, free_ = nullptr, tall_ = nullptr, spin_ = nullptr, check_ = nullptr;
};

TEST_F(StandardControls, NumericBoxTakesDigitsAndBackspaceAndEachAcceptedKeyRaisesOneChange) {
  ClickWindow(numeric_);
  TypeKeys({'1', VK_SUBTRACT, 'A', '2', VK_BACK, '3'});
  EXPECT_TRUE(WaitUntil([&] { return ControlText(numeric_) == "13"; })) << ControlText(numeric_);
  ASSERT_TRUE(WaitUntil([&] { return Changes(kNumericEdit).size() >= 4; }));
  ASSERT_TRUE(Synchronise(window_));  // for a change too many, were there one
  const std::vector<std::string> expected = {"'1'", "'12'", "'1'", "'13'"};
  EXPECT_EQ(Changes(kNumericEdit), expected) << "'-' and 'a' change nothing";

  // A box without a filter takes every character, each with its change.
  ClickWindow(free_);
  TypeKeys({'X', VK_SUBTRACT, VK_DECIMAL});
  ASSERT_TRUE(WaitUntil([&] { return Changes(kFreeEdit).size() >= 3; }));
  ASSERT_TRUE(Synchronise(window_));
  const std::vector<std::string> typed = {"'x'", "'x-'", "'x-.'"};
  EXPECT_EQ(Changes(kFreeEdit), typed);
}

TEST_F(StandardControls, ContentFromTheProgramRaisesOneChangeWithTheNewTextInPlace) {
  ASSERT_TRUE(RunStep(kStepSetContent));
  const std::vector<std::string> once = {"change " + Hex8(kFreeEdit) + " 'abc'"};
  EXPECT_EQ(LinesBetween("step 1", "content set"), once);
  EXPECT_EQ(LinesBetween("content set", "content set again"), once) << "the same text again";
  EXPECT_EQ(ControlText(free_), "abc");
  EXPECT_TRUE(Changes(kNumericEdit).empty());

  // Typing after it: one change per key.
  ClickWindow(free_);
  PressKey(VK_END);
  PressKey('D');
  ASSERT_TRUE(WaitUntil([&] { return Changes(kFreeEdit).size() >= 3; }));
  ASSERT_TRUE(Synchronise(window_));
  EXPECT_EQ(Changes(kFreeEdit).back(), "'abcd'");
  EXPECT_EQ(Changes(kFreeEdit).size(), 3u);
}

TEST_F(StandardControls, SelectionPropertiesReadAndReplaceTheLiveSelection) {
  ASSERT_TRUE(RunStep(kStepSelection));
  EXPECT_TRUE(Logged("selection 6 5 'world'"));
  const std::vector<std::string> replaced = {"change " + Hex8(kFreeEdit) + " 'hello there'"};
  EXPECT_EQ(LinesBetween("replacing", "replaced"), replaced);
  EXPECT_TRUE(Logged("all selected 0 11")) << "SelStart -1 is the end, SelLength -1 all";
  EXPECT_TRUE(Logged("chinese selection 1 2 '" + Gbk("好世") + "'"))
      << "a new SelStart keeps SelLength, both in characters";
  // From another process the answer says it (the last selection, of the
  // Chinese text): start low, end high.
  const DWORD selection = DWORD(SendMessageA(free_, EM_GETSEL, 0, 0));
  EXPECT_EQ(LOWORD(selection), 1);
  EXPECT_EQ(HIWORD(selection), 3);
}

TEST_F(StandardControls, SingleLineBoxesAreOneCjkLineTallAndCentreTheirTextInTheirColour) {
  // The stored 14 pixels are less than one character of the font and the
  // edges: the box is made that tall.
  LOGFONTA font{};
  font.lfHeight = -13;
  font.lfCharSet = GB2312_CHARSET;
  HFONT productFont = CreateFontIndirectA(&font);
  const int least = TextSize(productFont, kTallCharacter).cy + 2 * GetSystemMetrics(SM_CYEDGE);
  DeleteObject(productFont);
  ASSERT_GT(least, kFreeEditStoredHeight);
  const RECT freeRect = ScreenRect(free_);
  EXPECT_EQ(freeRect.bottom - freeRect.top, least);

  // A taller box keeps its height; its client area is one line of "W",
  // centred in what the border leaves.
  const HFONT guiFont = HFONT(GetStockObject(DEFAULT_GUI_FONT));
  const int line = TextSize(guiFont, "W").cy;
  const RECT tall = ScreenRect(tall_), client = ClientOnScreen(tall_);
  ASSERT_EQ(tall.bottom - tall.top, kTallEditHeight);
  const int border = client.left - tall.left;
  const int available = kTallEditHeight - 2 * border;
  EXPECT_EQ(client.bottom - client.top, line);
  EXPECT_EQ(client.top - tall.top, border + (available - line) / 2);

  // The bands above and below the line and the client area past the text
  // are in the box's colour; so is the check box's background.
  ASSERT_TRUE(BringToFront(window_));
  const int x = (tall.left + tall.right) / 2;
  const COLORREF back = kTallEditBackColor;
  EXPECT_EQ(ScreenPixelOnceItIs({x, tall.top + border + 1}, back), back) << "band above";
  EXPECT_EQ(ScreenPixelOnceItIs({x, tall.bottom - border - 2}, back), back) << "below";
  EXPECT_EQ(ScreenPixelOnceItIs({x, (client.top + client.bottom) / 2}, back), back);
  const RECT check = ScreenRect(check_);
  EXPECT_EQ(ScreenPixelOnceItIs({check.right - 3, check.top + 2}, kCheckBackColor),
            COLORREF(kCheckBackColor));
}

TEST_F(StandardControls, UpDownWritesIntoItsBoxAndStaysInsideItWhenTheBoxIsRecreated) {
  HWND arrows = FindWindowExA(window_, nullptr, UPDOWN_CLASSA, nullptr);
  ASSERT_TRUE(arrows);
  const RECT box = ScreenRect(spin_), client = ClientOnScreen(spin_);
  RECT spin = ScreenRect(arrows);
  const int border = client.left - box.left;
  EXPECT_EQ(spin.right, box.right - border) << "at the right end, inside the border";
  EXPECT_EQ(spin.top, box.top + border);
  EXPECT_EQ(spin.bottom, box.bottom - border);
  EXPECT_TRUE(IsWindowVisible(arrows));

  // The upper arrow counts up from the box's number.
  ClickAt((spin.left + spin.right) / 2, spin.top + 3);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(spin_) == "1"; })) << ControlText(spin_);
  ASSERT_TRUE(WaitUntil([&] { return !Changes(kSpinEdit).empty(); }));
  ASSERT_TRUE(Synchronise(window_));
  EXPECT_EQ(Changes(kSpinEdit), std::vector<std::string>{"'1'"});

  // A style change makes a new box at the same place with the same text,
  // and one set of arrows inside it.
  ASSERT_TRUE(RunStep(kStepRecreateSpin));
  HWND renewed = Handle("spin");
  ASSERT_TRUE(renewed);
  ASSERT_NE(renewed, spin_);
  EXPECT_FALSE(IsWindow(spin_));
  const RECT again = ScreenRect(renewed);
  EXPECT_TRUE(EqualRect(&again, &box)) << "not narrowed by the arrows";
  EXPECT_TRUE(GetWindowLongA(renewed, GWL_STYLE) & ES_RIGHT);
  EXPECT_EQ(ControlText(renewed), "1");
  arrows = FindWindowExA(window_, nullptr, UPDOWN_CLASSA, nullptr);
  ASSERT_TRUE(arrows);
  EXPECT_FALSE(FindWindowExA(window_, arrows, UPDOWN_CLASSA, nullptr)) << "the old arrows went";
  spin = ScreenRect(arrows);
  EXPECT_EQ(spin.right, again.right - border);
  EXPECT_EQ(spin.left, again.right - border - GetSystemMetrics(SM_CXVSCROLL));
}

TEST_F(StandardControls, AgreementBoxHoldsTheWholeLicenceAndScrollsToItsLastLine) {
  std::string licence;
  ASSERT_TRUE(ReadWholeFile(HostPath(TestArgument(1)), &licence));
  ASSERT_TRUE(RunStep(kStepLoadAgreement));
  ASSERT_TRUE(Logged("loaded 1"));
  HWND agreement = WaitForTopWindow(program_, kAgreementCaption);
  ASSERT_TRUE(agreement);
  HWND box = Handle("agreement");
  ASSERT_TRUE(box);
  EXPECT_EQ(ControlText(box), licence);
  const LONG style = GetWindowLongA(box, GWL_STYLE);
  EXPECT_TRUE((style & ES_MULTILINE) && (style & ES_READONLY) && (style & WS_VSCROLL));
  EXPECT_FALSE(style & (WS_HSCROLL | ES_AUTOHSCROLL)) << "long lines wrap";
  // 126 lines, more once the long ones wrap.
  const int lines = int(SendMessageA(box, EM_GETLINECOUNT, 0, 0));
  EXPECT_GE(lines, 126);

  // Positions count characters, not the bytes of the text.
  const int lastCharacter =
      MultiByteToWideChar(CP_ACP, 0, licence.data(), int(licence.size()), nullptr, 0) - 1;
  ASSERT_GT(lastCharacter, 0);
  auto lastLineShown = [&] {
    RECT client{};
    GetClientRect(box, &client);
    const LRESULT at = SendMessageA(box, EM_POSFROMCHAR, WPARAM(lastCharacter), 0);
    const int y = short(HIWORD(at));
    return at != -1 && y >= 0 && y < client.bottom;
  };
  EXPECT_EQ(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_FALSE(lastLineShown());

  ASSERT_TRUE(BringToFront(agreement));
  ClickWindow(box);
  PressKey('A');  // read-only: nothing changes
  PressKey(VK_END, VK_CONTROL);
  EXPECT_TRUE(WaitUntil(lastLineShown)) << "Ctrl+End shows the last line";
  EXPECT_GT(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(ControlText(box), licence);

  // Back to the top, then down page by page to the same end.
  PressKey(VK_HOME, VK_CONTROL);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0) == 0; }));
  for (int page = 0; page < lines && !lastLineShown(); ++page) PressKey(VK_NEXT);
  EXPECT_TRUE(lastLineShown()) << "Page Down reaches the last line";
  PostMessageA(agreement, WM_CLOSE, 0, 0);
}

TEST_F(StandardControls, ClicksToggleTheCheckBoxAndItsHandlerReadsTheNewState) {
  ClickWindow(check_);
  ASSERT_TRUE(WaitForLogged("check on"));
  EXPECT_EQ(SendMessageA(check_, BM_GETCHECK, 0, 0), BST_CHECKED);
  ClickWindow(check_);
  ASSERT_TRUE(WaitForLogged("check off"));
  EXPECT_EQ(SendMessageA(check_, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  ASSERT_TRUE(Synchronise(window_));
  EXPECT_EQ(Count("check on"), 1);
  EXPECT_EQ(Count("check off"), 1);

  // The program's own write raises nothing.
  ASSERT_TRUE(RunStep(kStepWriteChecked));
  EXPECT_TRUE(Logged("checked after write on"));
  EXPECT_EQ(Count("check on"), 1);
  EXPECT_EQ(SendMessageA(check_, BM_GETCHECK, 0, 0), BST_CHECKED);
}

// A picture that decodes is shown instead of the caption; one that does not
// leaves the caption.
TEST_F(StandardControls, CheckBoxShowsAPictureThatDecodesInsteadOfItsCaption) {
  HWND picture = Handle("picture"), damaged = Handle("damaged");
  ASSERT_TRUE(picture && damaged);
  constexpr LONG kImageStyles = BS_BITMAP | BS_ICON;
  EXPECT_EQ(GetWindowLongA(picture, GWL_STYLE) & kImageStyles, BS_BITMAP);
  EXPECT_TRUE(SendMessageA(picture, BM_GETIMAGE, IMAGE_BITMAP, 0));
  EXPECT_EQ(GetWindowLongA(damaged, GWL_STYLE) & kImageStyles, 0);
  EXPECT_EQ(GetWindowLongA(check_, GWL_STYLE) & kImageStyles, 0);
  EXPECT_FALSE(SendMessageA(damaged, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

// The test window answers Alt and the marked letter with BM_CLICK, as the
// product's window does, whichever unit has the focus; the box toggles once
// and raises its event once.
TEST_F(StandardControls, AltMnemonicTogglesTheCheckBoxOnceAndRaisesItsEvent) {
  ClickWindow(numeric_);
  ExpectAltTogglesTheCheckBox('R', check_, "check", numeric_);
}

// On the product's own window: it reflects the box's changes and the check
// box's clicks and colours back to them, and its Alt mnemonic toggles the
// check box once.
TEST_F(StandardControls, ProductWindowReflectsToTheControlsAndTogglesByMnemonic) {
  ASSERT_TRUE(RunStep(kStepLoadProduct));
  ASSERT_TRUE(Logged("loaded 1"));
  HWND product = WaitForTopWindow(program_, kProductCaption);
  ASSERT_TRUE(product);
  HWND edit = Handle("product edit"), check = Handle("product check");
  ASSERT_TRUE(edit && check);
  ASSERT_TRUE(BringToFront(product));

  ClickWindow(edit);
  TypeKeys({'Q', 'W'});
  ASSERT_TRUE(WaitUntil([&] { return Changes(kProductEdit).size() >= 2; }));
  ASSERT_TRUE(Synchronise(window_));
  const std::vector<std::string> typed = {"'q'", "'qw'"};
  EXPECT_EQ(Changes(kProductEdit), typed);

  ASSERT_NO_FATAL_FAILURE(ExpectAltTogglesTheCheckBox('K', check, "product check", edit));

  const RECT box = ScreenRect(check);
  EXPECT_EQ(ScreenPixelOnceItIs({box.right - 3, box.top + 2}, kCheckBackColor),
            COLORREF(kCheckBackColor));

  // A box inside a picture box tells the window, which still reflects.
  HWND inner = Handle("inner edit");
  ASSERT_TRUE(inner);
  ASSERT_NE(GetParent(inner), product) << "moved into the picture box";
  ClickWindow(inner);
  PressKey('Z');
  EXPECT_TRUE(WaitUntil([&] { return ControlText(inner) == "z"; }));
  ASSERT_TRUE(WaitUntil([&] { return !Changes(kInnerEdit).empty(); }));
  EXPECT_EQ(Changes(kInnerEdit), std::vector<std::string>{"'z'"});
  PostMessageA(product, WM_CLOSE, 0, 0);
}

}  // namespace
