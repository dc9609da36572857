// The application frame driven from outside, as a person would: the scenario
// program (tests/wine/frame) runs the frame on a test template; the driver
// clicks with SendInput, reads message boxes from the real dialogs and checks
// exit codes and what the program logged.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/logging_program_test.h"
#include "support/test_support.h"
#include "texts/messages.h"
#include "texts/runtime_errors.h"
#include "tests/wine/frame/frame_ids.h"
#include "support/gui_driver.h"
#include "tests/wine/frame/test_pad/test_pad.h"

namespace {

constexpr DWORD kMinusOne = 0xFFFFFFFF;

std::string WindowEvent(uint32_t window, uint32_t own, int number) {
  return "event " + Hex8(window) + " " + Hex8(own) + " " + std::to_string(number) + " args 0 0 0 0";
}

class FrameScenario : public LoggingProgramTest {
 protected:
  void Start(const char* scenario) {
    StartTestProgram(std::string(scenario) + " \"" + NewLog(scenario) + "\"");
  }
  // The start window once it is on the screen, in front, with its events
  // after creation raised.
  HWND StartWindow() {
    HWND window = WaitForTopWindow(program_, kStartCaption);
    if (!window) return nullptr;
    WaitForLogged(WindowEvent(kStartWindow, kStartOwn, 4));
    BringToFront(window);
    return window;
  }
  HWND Pad(HWND window, int left) {
    POINT at{left + kPadWidth / 2, kPadTop + kPadHeight / 2};
    return ChildWindowFromPoint(window, at);
  }

  // Waits for the run-time error report, checks its caption and its text,
  // answers it, and checks that the program then ends with exit code -1.
  void ExpectRunTimeError(const std::string& text) {
    MessageBoxSeen seen;
    ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &seen)) << "no run-time error report";
    EXPECT_EQ(seen.caption, kRuntimeErrorCaption);
    EXPECT_EQ(seen.text, text);
    ClickBoxButton(seen, IDOK);
    EXPECT_EQ(ExitCode(), kMinusOne);
  }

  bool PointerOver(HWND unit, const char* expected);
};

TEST_F(FrameScenario, CreatedMovedResizedFollowCreationAndTheWindowIsCentred) {
  Start("events");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  RECT rect{};
  GetWindowRect(window, &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - kStartWidth) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - kStartHeight) / 2);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);

  std::vector<std::string> windowEvents;
  for (const std::string& line : Log()) {
    if (line.compare(0, 6 + 8, "event " + Hex8(kStartWindow)) == 0) windowEvents.push_back(line);
    // Raised by the pads while they were being created: held, never delivered.
    EXPECT_EQ(line.find(" 5 args"), std::string::npos) << line;
  }
  ASSERT_GE(windowEvents.size(), 3u);
  EXPECT_EQ(windowEvents[0], WindowEvent(kStartWindow, kStartOwn, 0));
  EXPECT_EQ(windowEvents[1], WindowEvent(kStartWindow, kStartOwn, 3));
  EXPECT_EQ(windowEvents[2], WindowEvent(kStartWindow, kStartOwn, 4));
  EXPECT_TRUE(Logged("destroyed " + Hex8(kStartWindow)));
  EXPECT_TRUE(Logged("program entry returns 0"));
  // The units hear that all exist and that the window is shown, the last
  // unit first; the window hears it between the two.
  std::vector<std::string> told;
  for (const std::string& line : Log())
    if (line.find("complete") != std::string::npos || line.find("shown") != std::string::npos ||
        line.find("window told") != std::string::npos)
      told.push_back(line);
  const std::vector<std::string> expected = {
      "pad " + Hex8(kSecondPadOfStart) + " complete", "pad " + Hex8(kFirstPad) + " complete",
      "window told its units exist", "pad " + Hex8(kSecondPadOfStart) + " shown",
      "pad " + Hex8(kFirstPad) + " shown"};
  EXPECT_EQ(told, expected);
}

// The cursor is the thread's: the program says which one it shows. Moves
// with small steps over the unit until it reports `expected`.
bool FrameScenario::PointerOver(HWND unit, const char* expected) {
  RECT rect{};
  GetWindowRect(unit, &rect);
  const size_t before = Log().size();
  for (int step = 0; step < 20; ++step) {
    MoveMouseTo(rect.left + 10 + step * 3, (rect.top + rect.bottom) / 2);
    SendMessageA(unit, kPadReportCursorMessage, 0, 0);
    std::vector<std::string> lines = Log();
    if (lines.size() > before && lines.back() == expected) return true;
  }
  return false;
}

// The cursor is the thread's: the program says which one it shows.
TEST_F(FrameScenario, AUnitWithTheHandPointerShowsIt) {
  Start("events");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  HWND first = Pad(window, kFirstPadLeft), second = Pad(window, kSecondPadLeft);
  EXPECT_TRUE(PointerOver(first, "cursor hand 1 arrow 0")) << "the pad with the hand pointer";
  EXPECT_TRUE(PointerOver(second, "cursor hand 0 arrow 1")) << "the pad with its class's arrow";
  EXPECT_TRUE(PointerOver(first, "cursor hand 1 arrow 0")) << "back on the hand";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(FrameScenario, APressHandlerReturningZeroKeepsThePressFromTheUnit) {
  Start("events");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  HWND first = Pad(window, kFirstPadLeft), second = Pad(window, kSecondPadLeft);
  ASSERT_TRUE(first && second && first != window && second != window);
  ClickWindow(first);
  ClickWindow(second);
  EXPECT_TRUE(WaitForLogged("pad " + Hex8(kSecondPadOfStart) + " saw press"));
  // The release still reached the first pad, which raised its click.
  EXPECT_TRUE(
      WaitForLogged("event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " 0 args 0 0 0 0"));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  // Both handlers ran with x, y and the key state; the first returned 0.
  EXPECT_TRUE(Logged("event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " -1 args 3 50 30 0"));
  EXPECT_TRUE(
      Logged("event " + Hex8(kStartWindow) + " " + Hex8(kSecondPadOfStart) + " -1 args 3 50 30 0"));
  EXPECT_FALSE(Logged("pad " + Hex8(kFirstPad) + " saw press"));
}

TEST_F(FrameScenario, KeysAreFoldedAndCharactersReplacedOrDropped) {
  Start("keys");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  ClickWindow(Pad(window, kSecondPadLeft));  // the pad takes the focus
  for (WORD key : {WORD(VK_NUMPAD5), WORD('A'), WORD('X'), WORD('C')}) PressKey(key);
  PressKey('A', VK_SHIFT);
  PressKey(VK_SUBTRACT, VK_CONTROL);
  const std::string pad = "event " + Hex8(kStartWindow) + " " + Hex8(kSecondPadOfStart);
  EXPECT_TRUE(WaitForLogged(pad + " -9 args 2 189 1 0")) << "the last key";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(Logged(pad + " -9 args 2 53 0 0")) << "VK_NUMPAD5 raised as the main keyboard's 5";
  EXPECT_TRUE(Logged(pad + " -9 args 2 65 0 0"));
  EXPECT_TRUE(Logged(pad + " -11 args 1 97 0 0"));
  EXPECT_TRUE(Logged("pad " + Hex8(kSecondPadOfStart) + " char 98")) << "a replaced by b";
  EXPECT_TRUE(Logged(pad + " -11 args 1 120 0 0"));
  EXPECT_FALSE(Logged("pad " + Hex8(kSecondPadOfStart) + " char 120")) << "x dropped";
  EXPECT_TRUE(Logged("pad " + Hex8(kSecondPadOfStart) + " char 99"));
  // Shift is bit 1 of the key state, Ctrl bit 0; the pad's minus is the main one.
  EXPECT_TRUE(Logged(pad + " -9 args 2 65 2 0"));
  EXPECT_TRUE(Logged("pad " + Hex8(kSecondPadOfStart) + " char 65"));
}

// The pad's window is a wide one; the character event carries code page
// 936, a byte an event, lead byte first, as a program of that code page has
// its characters: 中 typed is D6 then D0, a character without a
// code-page-936 form is "?". The window gets the character itself, or the
// one a handler put in its place.
TEST_F(FrameScenario, CharactersAreRaisedAsTheirCodePage936Bytes) {
  Start("keys");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  ClickWindow(Pad(window, kSecondPadLeft));
  TypeCharacter(L'\x4E2D');  // 中
  TypeCharacter(L'한');      // no code-page-936 form
  PressKey('Z');
  PressKey('C');
  const std::string pad = "event " + Hex8(kStartWindow) + " " + Hex8(kSecondPadOfStart);
  const std::string shown = "pad " + Hex8(kSecondPadOfStart) + " char ";
  EXPECT_TRUE(WaitForLogged(shown + "99")) << "the last character";
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_EQ(LoggedInOrder({pad + " -11 args 1 214 0 0", pad + " -11 args 1 208 0 0",
                           shown + "20013", pad + " -11 args 1 63 0 0", shown + "54620",
                           pad + " -11 args 1 122 0 0", shown + "20013", shown + "99"}),
            "");
}

TEST_F(FrameScenario, TheWheelRaisesItsNotchesAndTheKeyState) {
  Start("focus");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  RECT rect{};
  GetWindowRect(Pad(window, kFirstPadLeft), &rect);  // the pad with the focus
  const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  TurnWheel(x, y, -240, VK_SHIFT);
  TurnWheel(x, y, 120);
  TurnWheel(x, y, 360, VK_CONTROL);
  const std::string wheel = "event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " -12 args 2 ";
  EXPECT_TRUE(WaitForLogged(wheel + "3 1 0")) << "three notches away, Ctrl held";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(Logged(wheel + "-2 2 0")) << "two notches towards the user, Shift held";
  EXPECT_TRUE(Logged(wheel + "1 0 0"));
}

// The window gives the focus to its topmost unit when it is shown and
// activated, as a dialog does.
TEST_F(FrameScenario, TheUnitFocusedWhenTheWindowIsShownHearsItOnce) {
  Start("focus");
  HWND window = WaitForTopWindow(program_, kStartCaption);
  ASSERT_TRUE(window);
  // The last unit told that the window is shown; nothing else happens after.
  ASSERT_TRUE(WaitForLogged("pad " + Hex8(kFirstPad) + " shown"));
  ASSERT_TRUE(Synchronise(window));  // for a second focus event, if there were one
  const std::vector<std::string> log = Log();
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);

  std::vector<size_t> focused;
  size_t resized = log.size(), firstShown = log.size();
  for (size_t i = 0; i < log.size(); ++i) {
    if (log[i].find(" -7 args") != std::string::npos) focused.push_back(i);
    if (resized == log.size() && log[i] == WindowEvent(kStartWindow, kStartOwn, 4)) resized = i;
    if (firstShown == log.size() && log[i].find(" shown") != std::string::npos) firstShown = i;
  }
  ASSERT_EQ(focused.size(), 1u) << "the window, its pads: one focus event in all";
  EXPECT_EQ(log[focused[0]],
            "event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " -7 args 0 0 0 0");
  EXPECT_GT(focused[0], resized) << "after the events of creation";
  EXPECT_LT(focused[0], firstShown) << "before the units hear that the window is shown";
}

TEST_F(FrameScenario, AMessageTheWindowClaimsRaisesNothingAndReachesNoUnit) {
  Start("events");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  RightClickWindow(Pad(window, kFirstPadLeft));
  EXPECT_TRUE(WaitForLogged("window claimed a right press on TestPad"));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_FALSE(LoggedPrefix("event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " -4"));
  EXPECT_FALSE(Logged("pad " + Hex8(kFirstPad) + " saw right press"));
}

// A window inside a unit that is no unit itself (as an edit box's arrows
// are): its queued input is offered to the window it lies in as no unit's,
// and raises no event of the unit around it.
TEST_F(FrameScenario, AWindowInsideAUnitIsOfferedToItsWindowAsNoUnits) {
  Start("inner");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  HWND pad = Pad(window, kFirstPadLeft);
  HWND inner = FindWindowExA(pad, nullptr, "MorvaneTestInner", nullptr);
  ASSERT_TRUE(inner);
  RightClickWindow(inner);
  EXPECT_TRUE(WaitForLogged("window claimed a right press on no unit"));
  ClickWindow(inner);
  RightClickWindow(pad);
  EXPECT_TRUE(WaitForLogged("window claimed a right press on TestPad"));
  ClickWindow(pad);
  const std::string padEvent = "event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad);
  EXPECT_TRUE(WaitForLogged(padEvent + " 0 args 0 0 0 0")) << "the pad's own click";
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_EQ(Count(padEvent + " -1 args 3 50 30 0"), 1) << "the press on the inner window";
  EXPECT_FALSE(LoggedPrefix(padEvent + " -4"));
}

// A re-created unit goes on in its new window: its pointer, its input and
// its focus are the new window's, and the old window, while it goes, is no
// unit's: its loss of the focus is nobody's, its end not the unit's.
TEST_F(FrameScenario, ARecreatedUnitGoesOnInItsNewWindowAndTheOldOneIsNoUnits) {
  Start("recreate");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  EXPECT_TRUE(Logged("first re-created 1, old gone 1, focus on the new 0"));
  EXPECT_TRUE(PointerOver(Pad(window, kFirstPadLeft), "cursor hand 1 arrow 0"));
  HWND second = Pad(window, kSecondPadLeft);
  ClickWindow(second);
  ASSERT_TRUE(WaitForLogged("second re-created 1, old gone 1, focus on the new 1"));
  HWND renewed = Pad(window, kSecondPadLeft);
  EXPECT_NE(renewed, second);
  ClickWindow(renewed);
  const std::string pad = "event " + Hex8(kStartWindow) + " " + Hex8(kSecondPadOfStart);
  EXPECT_TRUE(WaitUntil([&] { return Count(pad + " 0 args 0 0 0 0") == 2; }));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_EQ(LoggedInOrder({pad + " -7 args 0 0 0 0", pad + " -7 args 0 0 0 0",
                           "second re-created 1, old gone 1, focus on the new 1",
                           pad + " -1 args 3 50 30 0"}),
            "");
  // The new window loses the focus only as the window goes.
  const std::vector<std::string> log = Log();
  const auto recreated =
      std::find(log.begin(), log.end(), "second re-created 1, old gone 1, focus on the new 1");
  for (auto line = log.begin(); line != recreated; ++line)
    EXPECT_NE(line->compare(0, pad.size() + 3, pad + " -8"), 0) << "the old window's loss";
  EXPECT_EQ(Count("destroyed " + Hex8(kStartWindow)), 1);
}

// A unit destroyed while its own procedure runs (in its click, raised from
// its release; in its focus event, raised by the frame once its procedure
// has taken the focus), or the unit before it in the window's list, whose
// slot the second then takes: the window goes on, the unit left takes its
// input as its own, and the window ends once.
TEST_F(FrameScenario, AUnitDestroyedFromItsOwnHandlerLeavesTheWindowWhole) {
  struct Case {
    const char* scenario;
    const char* logged;
    bool secondLeft;
  };
  const Case cases[] = {
      {"destroy-self-in-click", "destroyed in the click: second loaded 0, first loaded 1", false},
      {"destroy-other-in-click", "destroyed in the click: second loaded 1, first loaded 0", true},
      {"destroy-self-in-focus", "destroyed in the focus event: second loaded 0, window loaded 1",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scenario);
    Start(c.scenario);
    HWND window = StartWindow();
    ASSERT_TRUE(window);
    HWND first = Pad(window, kFirstPadLeft), second = Pad(window, kSecondPadLeft);
    ClickWindow(second);
    EXPECT_TRUE(WaitForLogged(c.logged));
    EXPECT_EQ(IsWindow(first) != FALSE, c.secondLeft ? false : true);
    EXPECT_EQ(IsWindow(second) != FALSE, c.secondLeft);
    const uint32_t left = c.secondLeft ? kSecondPadOfStart : kFirstPad;
    const std::string click = "event " + Hex8(kStartWindow) + " " + Hex8(left) + " 0 args 0 0 0 0";
    const int clicksBefore = Count(click);
    ClickWindow(c.secondLeft ? second : first);
    EXPECT_TRUE(WaitUntil([&] { return Count(click) == clicksBefore + 1; }));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(Count("destroyed " + Hex8(kStartWindow)), 1);
    EXPECT_TRUE(Logged("program entry returns 0"));
    // Its loss of the focus as the window went, told through the slot it
    // moved to.
    const std::string lost =
        "event " + Hex8(kStartWindow) + " " + Hex8(kSecondPadOfStart) + " -8 args 0 0 0 0";
    EXPECT_EQ(Logged(lost), c.secondLeft);
  }
}

TEST_F(FrameScenario, LoadingAWindowThatWaitsForItsDestructionMakesANewOne) {
  Start("reload-pending");
  HWND start = StartWindow();
  ASSERT_TRUE(start);
  ClickWindow(Pad(start, kSecondPadLeft));
  EXPECT_TRUE(WaitForLogged("reloaded 1, old gone 1, new one 1"));
  HWND second = WaitForTopWindow(program_, kSecondCaption);
  ASSERT_TRUE(second);
  ASSERT_TRUE(Synchronise(second));  // past the posted destroy
  EXPECT_TRUE(IsWindow(second)) << "the posted destroy found nothing to destroy";
  PostMessageA(second, WM_CLOSE, 0, 0);
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(FrameScenario, TheProgramEndsOnlyWithItsLastWindow) {
  Start("two-windows");
  HWND start = StartWindow();
  HWND second = WaitForTopWindow(program_, kSecondCaption);
  ASSERT_TRUE(start && second);
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(start); }));
  // The loop would end at once after the last window, which would be gone.
  ASSERT_TRUE(Synchronise(second));
  EXPECT_TRUE(IsRunning(program_));
  EXPECT_TRUE(IsWindow(second));
  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(Logged("load second 1"));
}

TEST_F(FrameScenario, AStartWindowDestroyedWhileLoadingEndsWithoutTheLoop) {
  Start("destroy-at-once");
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(Logged("start destroyed at once: window alive 0"));
  EXPECT_TRUE(Logged("program entry returns 0"));
}

TEST_F(FrameScenario, DestroyUnitTwiceDestroysOnceAndLater) {
  Start("destroy-twice");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  ClickWindow(Pad(window, kSecondPadLeft));
  EXPECT_EQ(ExitCode(), 0u);
  EXPECT_TRUE(Logged("after destroy: window alive 1"));
  int destroyed = 0;
  for (const std::string& line : Log()) destroyed += line == "destroyed " + Hex8(kStartWindow);
  EXPECT_EQ(destroyed, 1);
}

TEST_F(FrameScenario, LoadingAnOpenMinimisedWindowRestoresIt) {
  Start("restore-minimised");
  HWND start = StartWindow();
  HWND second = WaitForTopWindow(program_, kSecondCaption);
  ASSERT_TRUE(start && second);
  ShowWindow(second, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(second) != FALSE; }));
  ClickWindow(Pad(start, kSecondPadLeft));
  EXPECT_TRUE(WaitForLogged("load second again 1"));
  EXPECT_FALSE(IsIconic(second));
  EXPECT_TRUE(IsWindow(second));
  // Still the one window: the same handle, and no second of that caption.
  EXPECT_EQ(WaitForTopWindow(program_, kSecondCaption, 1000), second);
  PostMessageA(second, WM_CLOSE, 0, 0);
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(FrameScenario, ProcessEventsLeavesAQuitAtTheHeadQueued) {
  Start("process-events-quit");
  // The main loop then takes the quit and ends with its code.
  EXPECT_EQ(ExitCode(), 7u);
  EXPECT_TRUE(Logged("quit still queued 1"));
}

TEST_F(FrameScenario, ADamagedTemplateIsARunTimeError) {
  Start("damaged-template");
  ExpectRunTimeError(Gbk("运行时出错!\r\n\r\n错误信息：载入窗口模板数据段出错!\r\n\r\n0, 0\r\n"));
  EXPECT_FALSE(LoggedPrefix("program entry returns"));
}

TEST_F(FrameScenario, WritingAPropertyOfAnUnloadedWindowIsARunTimeError) {
  Start("write-unloaded");
  ExpectRunTimeError(
      Gbk("运行时出错!\r\n\r\n错误信息：修改组件属性时发现指定窗口尚未载入\r\n"
          "\r\n1375797250, 369229825\r\n\"第二窗口\"\r\n\"测试板1\"\r\n"));
  EXPECT_FALSE(Logged("returned from the write"));
}

TEST_F(FrameScenario, WhileTheErrorBoxIsOpenClicksRaiseNoEvents) {
  Start("error-box");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  HWND first = Pad(window, kFirstPadLeft);
  ClickWindow(Pad(window, kSecondPadLeft));
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &seen));
  const std::string firstClick =
      "event " + Hex8(kStartWindow) + " " + Hex8(kFirstPad) + " 0 args 0 0 0 0";
  MoveAside(seen.box);
  ClickWindow(first);
  EXPECT_TRUE(WaitForLogged("pad " + Hex8(kFirstPad) + " saw press")) << "the click did not arrive";
  ASSERT_TRUE(Synchronise(first));  // for the release, which raises nothing either
  EXPECT_FALSE(Logged(firstClick));
  ClickBoxButton(seen, IDOK);
  EXPECT_EQ(ExitCode(), kMinusOne);
}

TEST_F(FrameScenario, CommonPropertiesAreLimitedAndKeptInStepWithTheWindows) {
  Start("properties");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  const char* const expected[] = {
      "left after -40000 -32627", "left after 40000 32627", "left 25", "top 35", "width kept 100",
      "width after -5 0", "width 80", "height 44", "left kept 25", "tag 'tagged'",
      "visible after false false", "disabled after true true",
      // A window that is not loaded answers from its records, and loads from them.
      "unloaded left 40", "unloaded left after 77 77", "unloaded pad visible false",
      "second loaded at 77, pad visible 0", "after its end, left 77",
      "re-created 1, old gone 1, visible 1, same id 1", "still below the first 1",
      "control ids 110 100", "first above second 1", "destroyed pad: window gone 1, record left 1",
      "after the window's end the record is back 1", "sent 1003"};
  for (const char* line : expected) EXPECT_TRUE(Logged(line)) << line;
}

TEST_F(FrameScenario, AModalWindowDisablesTheOthersUntilItIsGone) {
  Start("modal");
  HWND start = StartWindow();
  ASSERT_TRUE(start);
  ClickWindow(Pad(start, kSecondPadLeft));
  HWND second = WaitForTopWindow(program_, kSecondCaption);
  ASSERT_TRUE(second);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(start); }));
  EXPECT_FALSE(LoggedPrefix("modal returned"));
  // Owned by the program's hidden window: no taskbar button of its own.
  char ownerClass[64] = {};
  GetClassNameA(GetWindow(second, GW_OWNER), ownerClass, sizeof ownerClass);
  EXPECT_STREQ(ownerClass, "MorvaneHiddenOwner");
  PostMessageA(second, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitForLogged("modal returned 1"));
  EXPECT_TRUE(IsWindowEnabled(start));
  EXPECT_TRUE(IsRunning(program_));
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(FrameScenario, MessageBoxesShowTheValueAndAnswerTheButton) {
  Start("message-box");
  HWND start = StartWindow();
  ASSERT_TRUE(start);
  ClickWindow(Pad(start, kSecondPadLeft));
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &seen));
  EXPECT_EQ(seen.caption, kDefaultMessageCaption);
  EXPECT_EQ(seen.text, "42");
  // Task-modal without an owner: the program's windows wait for the box.
  EXPECT_FALSE(IsWindowEnabled(start));
  ClickBoxButton(seen, IDYES);
  EXPECT_TRUE(WaitForLogged("box 5"));
  MessageBoxSeen second;
  ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &second));
  EXPECT_EQ(second.caption, Gbk("标题"));
  EXPECT_EQ(second.text, kTrue);
  EXPECT_EQ(GetWindow(second.box, GW_OWNER), start);
  ClickBoxButton(second, IDOK);
  EXPECT_TRUE(WaitForLogged("box 0"));
  PostMessageA(start, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(FrameScenario, AnAllocationThatFailsIsARunTimeError) {
  // The scenario asks for 2 GB, which only a 32-bit process can never have.
  if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit process may get 2 GB";
  Start("out-of-memory");
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(program_, kGiveUpMs, &seen));
  EXPECT_EQ(seen.caption, kRuntimeErrorCaption);
  EXPECT_EQ(seen.text.find(Gbk("运行时出错!\r\n\r\n错误信息：分配 2147483632 字节内存失败!\r\n")),
            0u)
      << seen.text;
  ClickBoxButton(seen, IDOK);
  EXPECT_EQ(ExitCode(), kMinusOne);
  EXPECT_FALSE(LoggedPrefix("allocated"));
}

TEST_F(FrameScenario, EndProgramFromAnotherThreadShutsDownOnTheWindowsThread) {
  Start("thread-end");
  EXPECT_EQ(ExitCode(), 3u);
  // The window went through the user-interface thread's shutdown.
  EXPECT_TRUE(Logged("destroyed " + Hex8(kStartWindow)));
  EXPECT_FALSE(LoggedPrefix("program entry returns"));
}

TEST_F(FrameScenario, AnEventOfAUnitTheWindowLacksIsARunTimeError) {
  Start("stray-event");
  ExpectRunTimeError(
      Gbk("运行时出错!\r\n\r\n错误信息：未找到引发事件的窗口组件\r\n"
          "\r\n1375797249, 369164441\r\n\"\"\r\n未找到所指定的窗口组件\r\n"));
}

TEST_F(FrameScenario, AnEventOfAWindowNotInTheListIsARunTimeError) {
  Start("stray-window");
  ExpectRunTimeError(
      Gbk("运行时出错!\r\n\r\n错误信息：未找到引发事件的窗口\r\n"
          "\r\n1375797257, 369164441\r\n未找到所指定的窗口\r\n"));
}

TEST_F(FrameScenario, AnEventOfAUnitWhoseClassRaisesNoneIsARunTimeError) {
  Start("silent-unit");
  ExpectRunTimeError(
      Gbk("运行时出错!\r\n\r\n错误信息：引发事件的窗口组件无效\r\n"
          "\r\n1375797249, 369164290\r\n\"\"\r\n\"pad2\"\r\n"));
}

TEST_F(FrameScenario, IdleEventsComeWhileTheWindowAsksForThem) {
  Start("idle");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  EXPECT_TRUE(WaitUntil([&] { return LoggedPrefix("idle 3 after "); }));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  // One idle period after another (the close starts a new one at the end):
  // three events, then the window declines and hears no more in that period.
  int idle = 0;
  for (const std::string& line : Log()) idle += line.compare(0, 5, "idle ") == 0;
  EXPECT_GE(idle, 3);
  EXPECT_TRUE(LoggedPrefix("idle 1 after "));
  EXPECT_TRUE(LoggedPrefix("idle 3 after "));
}

// The last registered first; a callback that removes itself and one not yet
// called in the round leaves the rest, from then on; one whose window has
// gone is never called.
TEST_F(FrameScenario, IdleCallbacksRunLastFirstAndMayBeRemovedWhileTheyRun) {
  Start("idle-callbacks");
  HWND window = StartWindow();
  ASSERT_TRUE(window);
  auto calls = [&] {
    std::vector<std::string> lines;
    for (const std::string& line : Log())
      if (line.compare(0, 14, "idle callback ") == 0) lines.push_back(line.substr(14));
    return lines;
  };
  EXPECT_TRUE(WaitUntil([&] { return calls().size() >= 3; }));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(), 0u);
  const std::vector<std::string> called = calls();
  ASSERT_GE(called.size(), 3u);
  EXPECT_EQ(called[0], "last");
  EXPECT_EQ(called[1], "third");
  for (size_t i = 2; i < called.size(); ++i) EXPECT_EQ(called[i], "last") << "call " << i;
}

// On 32-bit Windows a call that leaves the stack pointer elsewhere is
// reported with the calling procedure and the call's place in it.
TEST_F(FrameScenario, AnUnbalancedExternalCallIsRunTimeError6) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "x86_64 has no stack to compare";
  Start("stack-unbalanced");
  ExpectRunTimeError(
      Gbk("运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误"
          "\r\n\r\n21, 3\r\n"));
  EXPECT_TRUE(Logged("resolved 1"));
  EXPECT_FALSE(Logged("returned from the call"));
  EXPECT_FALSE(LoggedPrefix("program entry returns"));
}

// A unit of no known class, and one whose window refuses its creation
// (WM_CREATE answers -1), whose state goes with the refused window once.
TEST_F(FrameScenario, AStartWindowWithAUnitThatCannotBeMadeIsARunTimeError) {
  for (const char* scenario : {"unknown-class", "refused-unit"}) {
    SCOPED_TRACE(scenario);
    Start(scenario);
    ExpectRunTimeError(
        Gbk("运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n1375797249, 0\r\n"
            "\"\"\r\n\"\"\r\n"));
    EXPECT_FALSE(LoggedPrefix("program entry returns"));
    // Nothing half-built was shown, and no event of the window was raised.
    EXPECT_FALSE(LoggedPrefix("event "));
    int released = 0;
    for (const std::string& line : Log())
      released += line == "pad " + Hex8(kSecondPadOfStart) + " released";
    EXPECT_EQ(released, std::string(scenario) == "refused-unit" ? 1 : 0);
  }
}

}  // namespace
