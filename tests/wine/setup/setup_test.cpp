// The setup program from end to end, each scenario on a machine of its own:
// started as a person starts it, worked through its windows with the mouse
// and the keyboard, its message boxes read and answered, and what it left on
// the machine read back through the Win32 API.
//
// Arguments: the setup program, then the three payload files it carries
// (main program, uninstaller, icon), the agreement's text and the compiled
// window template, as Unix paths of the build.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "setup/installed_state.h"
#include "setup/setup_driver.h"
#include "support/log_file.h"
#include "support/test_support.h"
#include "texts/installation.h"
#include "texts/messages.h"
#include "texts/setup_messages.h"

namespace {

// The animation: 58 steps of 0.1 s and a pause of 0.5 s. Waitable timers may
// fire a little early; the bound leaves a millisecond a wait for that.
constexpr double kAnimationMs = 6300 - 100;
constexpr DWORD kBoxTimeoutMs = 30000;
// The least one wait of the animation lasts, its 0.1 s or its final 0.5 s,
// less that millisecond; and its last step and full positions.
constexpr double kLeastStepMs = 99;
constexpr double kLeastFinalPauseMs = 499;
constexpr LRESULT kLastStep = 58;
constexpr LRESULT kFullBar = 59;

// The least time the animation still takes once the bar shows `position`:
// each position to come waits its own 0.1 s after it is shown, then the full
// bar its 0.5 s.
double LeastRemainingMs(LRESULT position) {
  if (position >= kFullBar) return 0;
  return double(kLastStep - position) * kLeastStepMs + kLeastFinalPauseMs;
}

using RegistryRow = TableValue;

// Every value of the registration, in the order it is written.
std::vector<RegistryRow> RegistrationRows() { return TableValues(); }

// The row of a value in the default value of `key`.
size_t RowOfKey(const std::string& key) {
  const std::vector<RegistryRow> rows = RegistrationRows();
  size_t row = 0;
  while (row < rows.size() && !(rows[row].key == key && !*rows[row].name)) ++row;
  return row;
}
const char kAllFilesVerbCommand[] = "*\\shell\\Morvane\\command";
const char kFolderVerbCommand[] = "Directory\\shell\\Morvane\\command";

std::string RowName(const RegistryRow& row) {
  return std::string(row.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") + row.key + " [" +
         row.name + "]";
}

// A window's rectangle as "left,top".
std::string Origin(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return std::to_string(rect.left) + "," + std::to_string(rect.top);
}

std::string Shifted(const std::string& origin, int dx, int dy) {
  const size_t comma = origin.find(',');
  return std::to_string(std::stoi(origin.substr(0, comma)) + dx) + "," +
         std::to_string(std::stoi(origin.substr(comma + 1)) + dy);
}

// The pixels of the bar's middle row that differ from the colour of its
// empty end, over the columns [from, to) of the bar that `hidden` does not
// cover; the number of columns looked at goes to *columns.
int FilledColumns(HWND startWindow, uint32_t empty, int from, int to, const RECT& hidden,
                  int* columns) {
  const RECT bar = UnitRect(startWindow, kProgressBar);
  const int y = (bar.top + bar.bottom) / 2;
  const ScreenPixels row = CaptureScreen(RECT{bar.left, y, bar.right, y + 1});
  int filled = 0;
  *columns = 0;
  for (int x = bar.left + from; x < bar.left + to; ++x) {
    if (x >= hidden.left && x < hidden.right && y >= hidden.top && y < hidden.bottom) continue;
    ++*columns;
    if (row.At(x, y) != empty) ++filled;
  }
  return filled;
}

// The bar's end, inside its edge: empty until the very last positions.
constexpr int kBarEndFrom = 270;
constexpr int kBarEndTo = 326;

uint32_t EmptyBarColour(HWND startWindow) {
  const RECT bar = UnitRect(startWindow, kProgressBar);
  return CaptureScreen(bar).At(bar.right - 8, (bar.top + bar.bottom) / 2);
}

int WhiteIn(HWND startWindow, const UnitArea& unit) {
  const RECT area = UnitRect(startWindow, unit);
  return CountWhite(CaptureScreen(area), area);
}

constexpr int AreaOf(const UnitArea& unit) { return unit.width * unit.height; }

// How the place of a unit looks: blank (all white: covered by the progress
// view, or nothing there yet), or showing something.
struct PlaceLook {
  const char* name;
  UnitArea place;
  bool blank;
};

// Waits until every place looks as listed (what a window paints reaches the
// screen a moment later), then checks that each does; answers whether all do.
bool ExpectPlaces(HWND startWindow, std::initializer_list<PlaceLook> looks) {
  auto looksRight = [&](const PlaceLook& look) {
    return (WhiteIn(startWindow, look.place) == AreaOf(look.place)) == look.blank;
  };
  const bool all = WaitUntil([&] {
    for (const PlaceLook& look : looks)
      if (!looksRight(look)) return false;
    return true;
  });
  for (const PlaceLook& look : looks)
    EXPECT_TRUE(looksRight(look)) << look.name << (look.blank ? " blank" : " shown") << ": "
                                  << WhiteIn(startWindow, look.place) << " of "
                                  << AreaOf(look.place) << " pixels white";
  return all;
}

// The upper part of the install button, which the progress bar leaves free.
constexpr UnitArea kInstallButtonTop{135, 168, 122, 15};
// The part of the progress bar's place left of the install button.
constexpr UnitArea kProgressBarLeft{30, 184, 100, 22};

class Setup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TestArgumentCount(), 6)
        << "setup program, three payload files, agreement text, window template";
    setupPath_ = HostPath(TestArgument(0));
    mainPayload_ = HostPath(TestArgument(1));
    uninstallerPayload_ = HostPath(TestArgument(2));
    iconPayload_ = HostPath(TestArgument(3));
    agreementText_ = HostPath(TestArgument(4));
    windowTemplate_ = HostPath(TestArgument(5));
  }

  // Starts the setup program and waits for its start window; the run is
  // ended at the test's end whatever happens.
  testing::AssertionResult Launch(SetupRun* run) { return Launch(setupPath_, run); }
  testing::AssertionResult Launch(const std::string& program, SetupRun* run) {
    const bool started = StartSetup(program, run);
    if (run->program.started) processes_.Add(run->program.process.hProcess);
    if (started) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no start window of " << program;
  }

  static void ExpectExitCode(SetupRun* run, DWORD expected) {
    DWORD code = 12345;
    ASSERT_TRUE(WaitForExit(&run->program, kGiveUpMs, &code)) << "the program did not end";
    EXPECT_EQ(code, expected);
  }

  static void CheckAgreement(const SetupRun& run) {
    ClickUnit(run.startWindow, kAgreementBox);
    MoveAway(run);
  }

  // The mouse out of the way of the units' hover looks.
  static void MoveAway(const SetupRun& run) {
    const POINT bare = PointIn(run.startWindow, kBareSurface);
    MoveMouseTo(bare.x, bare.y);
  }

  // Presses the install button; the time just before the press.
  static double PressInstall(const SetupRun& run) {
    const double pressed = NowMilliseconds();
    ClickUnit(run.startWindow, kInstallButton);
    MoveAway(run);
    return pressed;
  }

  // Waits for the agreement window that the link opens.
  static HWND WaitForAgreementWindow(const SetupRun& run) {
    HWND agreement = nullptr;
    WaitUntil([&] {
      std::vector<HWND> others = OtherWindows(run.program.process.dwProcessId, run.startWindow);
      agreement = others.empty() ? nullptr : others.front();
      return agreement != nullptr;
    });
    return agreement;
  }

  // Opens the agreement window with the link and drags it below the start
  // window.
  static void OpenAgreementBelowStartWindow(const SetupRun& run, HWND* agreement) {
    ClickUnit(run.startWindow, kAgreementLink);
    *agreement = WaitForAgreementWindow(run);
    ASSERT_NE(*agreement, nullptr) << "the link opened no window";
    ASSERT_NO_FATAL_FAILURE(MoveBelowStartWindow(run, *agreement));
  }

  // Drags the agreement window by its caption until it lies below the start
  // window, which it covers when it opens.
  static void MoveBelowStartWindow(const SetupRun& run, HWND agreement) {
    RECT start{}, rect{};
    GetWindowRect(run.startWindow, &start);
    GetWindowRect(agreement, &rect);
    ASSERT_TRUE(DragWindow(agreement, CaptionPoint(agreement), 0, start.bottom + 10 - rect.top))
        << "the agreement window did not move below the start window: it is at "
        << Origin(agreement) << ", the start window's bottom at " << start.bottom;
  }

  void ExpectNothingWritten() {
    EXPECT_EQ(FilesPresent(), "");
    ExpectNoRegistration();
  }

  static void ExpectNoRegistration() { EXPECT_EQ(RegistrationPresent(), ""); }

  void ExpectFilesInstalled() {
    EXPECT_EQ(CompareFiles(kMainProgramPath, mainPayload_), "same");
    EXPECT_EQ(CompareFiles(kUninstallerPath, uninstallerPayload_), "same");
    EXPECT_EQ(CompareFiles(IconPath(), iconPayload_), "same");
    // The icon that the file class names (where it was registered: the rows
    // themselves are checked on their own), as the shell of 64-bit Windows, a
    // 64-bit program, reads both the name and the file: the same bytes.
    const std::string named =
        RegistryText(HKEY_CLASSES_ROOT, "zorvafile\\DefaultIcon", "", KEY_WOW64_64KEY);
    if (named == "<none>") return;
    const size_t index = named.rfind(",0");
    ASSERT_NE(index, std::string::npos) << named;
    EXPECT_EQ(CompareFiles(named.substr(0, index), iconPayload_, FileView::As64BitProgram), "same");
  }

  // Every registry row as written, but the rows listed in `except`.
  static void ExpectRegistration(std::vector<size_t> except = {}) {
    const std::vector<RegistryRow> rows = RegistrationRows();
    for (size_t i = 0; i < rows.size(); ++i) {
      bool skipped = false;
      for (size_t e : except) skipped = skipped || e == i;
      if (skipped) continue;
      EXPECT_EQ(RegistryText(rows[i].root, rows[i].key, rows[i].name), rows[i].data)
          << "row " << i + 1 << ": " << RowName(rows[i]);
    }
    const std::string homePage = RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "URLInfoAbout");
    EXPECT_EQ(homePage.rfind("http", 0), 0u) << "URLInfoAbout: " << homePage;
    // The verb keys carry no text of their own: the shell shows their name.
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane", ""), "<none>");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane", ""), "<none>");
  }

  static void ExpectShortcuts() {
    EXPECT_EQ(ShortcutTarget(DesktopShortcut()), kMainProgramPath);
    EXPECT_EQ(ShortcutTarget(GroupShortcut()), kMainProgramPath);
    EXPECT_EQ(ShortcutTarget(GroupUninstallShortcut()), kUninstallerPath);
  }

  // From the press to the end: the final message after the whole animation,
  // then the end of the program with exit code 0.
  static void FinishInstallation(SetupRun* run, double pressed) {
    EXPECT_EQ(AnswerMessageBox(run->program, kBoxTimeoutMs), kInstallDone);
    EXPECT_GE(NowMilliseconds() - pressed, kAnimationMs);
    ExpectExitCode(run, 0);
  }

  std::string setupPath_;
  std::string mainPayload_;
  std::string uninstallerPayload_;
  std::string iconPayload_;
  std::string agreementText_;
  std::string windowTemplate_;
  ProgramsToEnd processes_;  // ended at the end of the test
};

// A file with a blank in its folder and in its name, opened through its
// registered class: the main program gets the path as one argument.
void ExpectClassCommandPassesThePathWhole() {
  const std::string folder = "C:\\my files";
  CreateDirectoryW(WideOf(folder).c_str(), nullptr);
  const std::string document = folder + "\\doc one.zorva";
  ASSERT_TRUE(WriteWholeFile(document, "a document"));
  const std::string logFolder = MakeScratchFolder("class-command");
  SetEnvironmentVariableW(L"MORVANE_STANDIN_LOG", WideOf(logFolder).c_str());
  SetEnvironmentVariableW(L"MORVANE_STANDIN_QUIT", L"1");

  const std::wstring file = WideOf(document);
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  execute.lpFile = file.c_str();
  execute.nShow = SW_SHOWNORMAL;
  ASSERT_TRUE(ShellExecuteExW(&execute)) << "error " << GetLastError();
  if (execute.hProcess) {
    EXPECT_EQ(WaitForSingleObject(execute.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(execute.hProcess);
  }
  const LogFile standInLog(logFolder + "\\standin.log");
  std::vector<std::string> logged;
  WaitUntil([&] { return !(logged = standInLog.Lines()).empty(); });
  SetEnvironmentVariableW(L"MORVANE_STANDIN_LOG", nullptr);
  SetEnvironmentVariableW(L"MORVANE_STANDIN_QUIT", nullptr);
  ASSERT_FALSE(logged.empty()) << "the main program was not started";

  // The stand-in logs its command line as its ANSI entry point gave it: here
  // every character of it is ASCII, the same in every code page.
  const std::string line = logged.front();
  const std::wstring wide(line.begin(), line.end());
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(wide.c_str(), &count);
  ASSERT_NE(arguments, nullptr);
  EXPECT_EQ(count, 2) << line;
  if (count >= 2) {
    EXPECT_STREQ(arguments[1], L"C:\\my files\\doc one.zorva") << line;
  }
  LocalFree(arguments);
  RemoveTree(logFolder);
}

// The screen as the program shows it, where a person can look at it: a BMP
// file beside the setup program in the build folder.
std::string SavedBeside(const std::string& setupPath, const ScreenPixels& shot, const char* name) {
  const std::string path = setupPath.substr(0, setupPath.rfind('\\') + 1) + name;
  EXPECT_TRUE(SaveBmp(shot, path)) << path;
  return path;
}

// Pixels of the colour (0x00RRGGBB) within a unit of the start window.
int PixelsIn(const ScreenPixels& shot, HWND startWindow, const UnitArea& unit, uint32_t colour) {
  return CountPixels(shot, UnitRect(startWindow, unit), colour);
}

// Pixels of the area that text drawn in black, or in blue, leaves: smoothed
// glyphs have their edges in between.
int CountMatching(const ScreenPixels& shot, const RECT& area, bool (*matches)(uint32_t)) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) count += matches(shot.At(x, y));
  return count;
}
bool IsDark(uint32_t pixel) {
  return (pixel >> 16 & 0xFF) < 0x70 && (pixel >> 8 & 0xFF) < 0x70 && (pixel & 0xFF) < 0x70;
}
bool IsBlue(uint32_t pixel) {
  return (pixel >> 16 & 0xFF) < 0x70 && (pixel >> 8 & 0xFF) < 0x70 && (pixel & 0xFF) >= 0xC0;
}

struct ChildSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK MatchChildClass(HWND child, LPARAM context) {
  ChildSearch* search = reinterpret_cast<ChildSearch*>(context);
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (lstrcmpiW(name, search->className) != 0) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FirstChildOfClass(HWND parent, const wchar_t* className) {
  ChildSearch search{className, nullptr};
  EnumChildWindows(parent, MatchChildClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What of the start window on the screen is not as designed, one line each;
// nothing when all is.
std::vector<std::string> StartWindowFaults(const ScreenPixels& start, HWND startWindow) {
  constexpr uint32_t kBanner = 0x4646FF;  // red 70, green 70, blue 255
  constexpr uint32_t kWhite = 0xFFFFFF;
  RECT window{};
  GetWindowRect(startWindow, &window);
  std::vector<std::string> faults;
  auto expect = [&](bool holds, const std::string& what) {
    if (!holds) faults.push_back(what);
  };
  auto at = [&](POINT point) { return start.At(window.left + point.x, window.top + point.y); };
  auto where = [](POINT point) { return std::to_string(point.x) + "," + std::to_string(point.y); };
  // The banner across the top, around the logo and the title, and the white
  // surface below it.
  for (POINT point : {POINT{0, 0}, POINT{100, 60}, POINT{300, 100}, POINT{0, 135}, POINT{392, 135}})
    expect(at(point) == kBanner, "no banner at " + where(point));
  for (POINT point : {POINT{0, 136}, POINT{30, 150}, POINT{392, 276}, POINT{10, 270}})
    expect(at(point) == kWhite, "no white surface at " + where(point));
  expect(PixelsIn(start, startWindow, kBareSurface, kWhite) == AreaOf(kBareSurface),
         "the bare surface is not all white");
  // The logo: its box on the banner holds a picture.
  constexpr UnitArea kLogo{148, 24, 96, 96};
  expect(PixelsIn(start, startWindow, kLogo, kBanner) < AreaOf(kLogo) * 9 / 10, "no logo");
  // The title: white text on the banner.
  expect(PixelsIn(start, startWindow, kTitleLabel, kWhite) >= 30, "no white title text");
  expect(PixelsIn(start, startWindow, kTitleLabel, kBanner) >= AreaOf(kTitleLabel) / 2,
         "the title is not on the banner");
  // The install button: a picture on the white surface.
  expect(PixelsIn(start, startWindow, kInstallButton, kWhite) < AreaOf(kInstallButton) * 9 / 10,
         "no install button picture");
  // The check box and its caption in black, the link's text in blue.
  const RECT checkBox = UnitRect(startWindow, kAgreementBox);
  const RECT link = UnitRect(startWindow, kAgreementLink);
  expect(CountMatching(start, checkBox, IsDark) >= 30, "no dark check box and caption");
  expect(CountMatching(start, link, IsBlue) >= 30, "no blue link text");
  expect(CountMatching(start, link, IsDark) == 0, "dark pixels in the link");
  return faults;
}

// The start window as the program really starts, then the agreement window,
// each read off the screen at the places the layout gives its units, and
// saved in the build folder for a person to look at.
TEST_F(Setup, TheWindowsLookAsDesigned) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  MoveAway(run);
  RECT window{};
  GetWindowRect(run.startWindow, &window);
  // What a window paints reaches the screen a moment later.
  ScreenPixels start;
  std::vector<std::string> faults;
  WaitUntil([&] {
    start = CaptureScreen(window);
    faults = StartWindowFaults(start, run.startWindow);
    return faults.empty();
  });
  const std::string saved = SavedBeside(setupPath_, start, "MorvaneSetup-look-start.bmp");
  EXPECT_EQ(faults, std::vector<std::string>()) << "as saved in " << saved;

  // The agreement window shows the licence from its first line.
  ClickUnit(run.startWindow, kAgreementLink);
  HWND agreement = WaitForAgreementWindow(run);
  ASSERT_NE(agreement, nullptr) << "the link opened no window";
  MoveAway(run);

  std::string licence;
  ASSERT_TRUE(ReadWholeFile(agreementText_, &licence));
  const std::string firstLine = licence.substr(0, licence.find_first_of("\r\n"));
  ASSERT_FALSE(firstLine.empty());
  HWND text = FirstChildOfClass(agreement, L"Edit");
  ASSERT_NE(text, nullptr) << "no text box in the agreement window";
  // The box belongs to another process: its text comes by message.
  const LRESULT length = SendMessageW(text, WM_GETTEXTLENGTH, 0, 0);
  std::wstring wide(size_t(length) + 1, L'\0');
  wide.resize(size_t(
      SendMessageW(text, WM_GETTEXT, WPARAM(wide.size()), reinterpret_cast<LPARAM>(&wide[0]))));
  const std::string shown = Cp936Of(wide);
  EXPECT_EQ(shown.substr(0, shown.find_first_of("\r\n")), firstLine);
  // ... and on the screen: black text in the box's first line.
  RECT box{};
  GetWindowRect(text, &box);
  const RECT firstRow{box.left, box.top, box.right, box.top + 20};
  auto darkInFirstRow = [&] { return CountMatching(CaptureScreen(firstRow), firstRow, IsDark); };
  WaitUntil([&] { return darkInFirstRow() >= 30; });
  EXPECT_GE(darkInFirstRow(), 30);
  RECT agreementRect{};
  GetWindowRect(agreement, &agreementRect);
  SavedBeside(setupPath_, CaptureScreen(agreementRect), "MorvaneSetup-look-agreement.bmp");

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilGone(agreement));
  ClickUnit(run.startWindow, kCloseButton);
  ExpectExitCode(&run, 0);
}

TEST_F(Setup, FirstInstallation) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  {
    RECT rect{};
    GetWindowRect(run.startWindow, &rect);
    EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - kStartWindowWidth) / 2);
    EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - kStartWindowHeight) / 2);
  }

  // Without acceptance: the gate message, and nothing is written.
  PressInstall(run);
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kAcceptFirst);
  ExpectNothingWritten();
  ASSERT_TRUE(IsRunning(run.program));

  // Two presses of the link: one agreement window, in front after each.
  HWND agreement = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenAgreementBelowStartWindow(run, &agreement));
  ClickUnit(run.startWindow, kAgreementLink);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == agreement; }))
      << "the open agreement window came to the front";
  EXPECT_EQ(OtherWindows(run.program.process.dwProcessId, run.startWindow).size(), 1u);
  // Esc closes it; the start window stays.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilGone(agreement));
  ASSERT_TRUE(IsRunning(run.program));
  ASSERT_TRUE(IsWindowVisible(run.startWindow));

  CheckAgreement(run);
  // What the progress view must cover is there before it.
  ExpectPlaces(run.startWindow, {{"check box", kAgreementBox, false},
                                 {"link", kAgreementLink, false},
                                 {"install button", kInstallButtonTop, false},
                                 {"progress bar", kProgressBarLeft, true}});

  const double pressed = PressInstall(run);
  // The progress view: white over the controls, the bar and its text shown;
  // the main program is written, the rest waits for the animation's end.
  ExpectPlaces(run.startWindow, {{"check box", kAgreementBox, true},
                                 {"link", kAgreementLink, true},
                                 {"install button", kInstallButtonTop, true},
                                 {"progress bar", kProgressBar, false},
                                 {"progress text", kProgressText, false}});
  EXPECT_TRUE(PathExists(kMainProgramPath));
  EXPECT_FALSE(PathExists(kUninstallerPath));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, ".zorva"));

  const uint32_t empty = EmptyBarColour(run.startWindow);
  int columns = 0;
  const int early = FilledColumns(run.startWindow, empty, 0, kProgressBar.width, RECT{}, &columns);

  // The cover takes a press over the check box and drags the window.
  const std::string before = Origin(run.startWindow);
  EXPECT_TRUE(DragWindow(run.startWindow, PointIn(run.startWindow, kAgreementBox), 60, 40))
      << Origin(run.startWindow) << " is not " << Shifted(before, 60, 40);
  MoveAway(run);

  auto filled = [&] {
    return FilledColumns(run.startWindow, empty, 0, kProgressBar.width, RECT{}, &columns);
  };
  EXPECT_TRUE(WaitUntil([&] { return filled() > early; }))
      << "the bar does not advance from " << early << " columns";

  // The final message comes with the bar full (what the box leaves visible
  // of the bar's end).
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(run.program, kBoxTimeoutMs, &seen));
  EXPECT_GE(NowMilliseconds() - pressed, kAnimationMs);
  EXPECT_EQ(seen.text, kInstallDone);
  EXPECT_EQ(seen.caption, kDefaultMessageCaption);
  RECT boxRect{};
  GetWindowRect(seen.box, &boxRect);
  int full = 0;
  WaitUntil([&] {
    full = FilledColumns(run.startWindow, empty, kBarEndFrom, kBarEndTo, boxRect, &columns);
    return columns < 10 || full * 2 >= columns;
  });
  ASSERT_GE(columns, 10) << "the message box hides the bar's end";
  EXPECT_GE(full * 2, columns) << "the bar is full at the end";
  ClickBoxButton(seen, IDOK);
  ExpectExitCode(&run, 0);

  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
  EXPECT_EQ(FindWindowW(L"MorvaneStandin", nullptr), nullptr) << "the main program was started";
  ExpectClassCommandPassesThePathWhole();
}

// The window of the start window's thread that has the keyboard focus.
HWND FocusOf(const SetupRun& run) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(run.startWindow, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// The window with the keyboard focus when it lies on the unit at `unit` of
// the start window; null otherwise.
HWND FocusOnUnit(const SetupRun& run, const UnitArea& unit) {
  const RECT expected = UnitRect(run.startWindow, unit);
  RECT rect{};
  HWND focus = FocusOf(run);
  return focus && GetWindowRect(focus, &rect) && EqualRect(&rect, &expected) ? focus : nullptr;
}

// Waits until the focus lies on the unit at `unit` of the start window;
// false, after a generous wait, when it never does.
bool WaitForFocusOn(const SetupRun& run, const UnitArea& unit) {
  return WaitUntil([&] { return FocusOnUnit(run, unit) != nullptr; });
}

// Waits until the start window is in front again, with the keyboard's
// focus inside it; false, after a generous wait, when it never is. A key
// pressed before then goes to no window of the program.
bool WaitForStartWindowInFront(const SetupRun& run) {
  return WaitUntil([&] {
    const HWND focus = FocusOf(run);
    return GetForegroundWindow() == run.startWindow && focus &&
           (focus == run.startWindow || IsChild(run.startWindow, focus));
  });
}

// Waits for the message box and answers it with Enter; its text, or
// "<no box>".
std::string AnswerWithEnter(const RunningProgram& program) {
  MessageBoxSeen seen;
  if (!WaitForMessageBox(program, kBoxTimeoutMs, &seen)) return "<no box>";
  PressKey(VK_RETURN);
  if (!WaitUntilGone(seen.box, 10000)) return "<box stayed> " + seen.text;
  return seen.text;
}

// From the first Enter to the final box with the keyboard alone: Enter is
// the install button's (the window's default button), Tab and Shift+Tab go
// through the check box, the link and the install button, Enter on the link
// opens the agreement, Space ticks the box, and once the installation runs,
// no key starts it again (the progress bar only ever moves forward).
TEST_F(Setup, KeyboardAloneInstalls) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  ASSERT_TRUE(WaitForStartWindowInFront(run)) << "the start window is not in front";

  PressKey(VK_RETURN);
  EXPECT_EQ(AnswerWithEnter(run.program), kAcceptFirst);
  ExpectNothingWritten();

  // The box gives the activation back once it has gone.
  ASSERT_TRUE(WaitForStartWindowInFront(run)) << "the start window did not come back in front";
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitForFocusOn(run, kAgreementBox)) << "Tab did not reach the check box";
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitForFocusOn(run, kAgreementLink)) << "Tab did not reach the link";
  PressKey(VK_RETURN);
  HWND agreement = WaitForAgreementWindow(run);
  ASSERT_NE(agreement, nullptr) << "Enter on the link opened no window";
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntilGone(agreement, 10000));
  ASSERT_TRUE(WaitForStartWindowInFront(run)) << "the start window did not come back in front";

  // Wherever the focus came back to, Shift+Tab and Tab find the check box.
  // Each press has been taken in when PressKey returns: where the focus
  // lies then is where that press put it.
  HWND checkBox = nullptr;
  for (int i = 0; i < 4 && !checkBox; ++i) {
    PressKey(VK_TAB, VK_SHIFT);
    checkBox = FocusOnUnit(run, kAgreementBox);
  }
  ASSERT_NE(checkBox, nullptr) << "Shift+Tab never reached the check box";
  PressKey(VK_SPACE);
  WaitUntil([&] { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; });
  ASSERT_EQ(SendMessageW(checkBox, BM_GETCHECK, 0, 0), BST_CHECKED) << "Space ticked nothing";

  PressKey(VK_TAB);
  ASSERT_TRUE(WaitForFocusOn(run, kAgreementLink));
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitForFocusOn(run, kInstallButton)) << "Tab did not reach the install button";
  PressKey(VK_TAB, VK_SHIFT);
  ASSERT_TRUE(WaitForFocusOn(run, kAgreementLink)) << "Shift+Tab did not go back";
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitForFocusOn(run, kInstallButton));
  ExpectNothingWritten();

  PressKey(VK_RETURN);
  HWND bar = FirstChildOfClass(run.startWindow, PROGRESS_CLASSW);
  ASSERT_NE(bar, nullptr) << "no progress bar";
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; }))
      << "Enter on the install button did not install";

  // The keys that started it, again and again (Enter and Space in turn, ten
  // presses), while the final message has not come: the bar never goes back.
  LRESULT last = 0;
  int presses = 0;
  MessageBoxSeen seen;
  BoxWanted ofTheProgram;
  ofTheProgram.processId = run.program.process.dwProcessId;
  const bool finalMessage = WaitUntil(
      [&] {
        if (FindMessageBox(ofTheProgram, &seen)) return true;
        if (presses < 10) PressKey(presses++ % 2 ? VK_SPACE : VK_RETURN);
        const LRESULT position = SendMessageW(bar, PBM_GETPOS, 0, 0);
        EXPECT_GE(position, last) << "the progress went back: the installation started again";
        last = position;
        return false;
      },
      60000);
  ASSERT_TRUE(finalMessage) << "no final message";
  EXPECT_EQ(seen.text, kInstallDone);
  PressKey(VK_RETURN);
  ExpectExitCode(&run, 0);
  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
}

TEST_F(Setup, LockedMainProgramFailsThenInstalls) {
  ASSERT_TRUE(CreateDirectoryW(WideOf(kInstallFolder).c_str(), nullptr));
  // A running copy holds its file open without sharing.
  HANDLE lock = CreateFileW(WideOf(kMainProgramPath).c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  PressInstall(run);
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kInstallFailed);
  MoveAway(run);

  // The window as before: the controls shown, no progress view.
  ExpectPlaces(run.startWindow, {{"check box", kAgreementBox, false},
                                 {"link", kAgreementLink, false},
                                 {"install button", kInstallButtonTop, false},
                                 {"progress bar", kProgressBarLeft, true},
                                 {"progress text", kProgressText, true}});
  // Nothing else written.
  EXPECT_EQ(GetFileSize(lock, nullptr), 0u);
  EXPECT_FALSE(PathExists(kUninstallerPath));
  EXPECT_FALSE(PathExists(IconPath()));
  ExpectNoRegistration();
  ASSERT_TRUE(IsRunning(run.program));

  // Once the file is free, a second press installs.
  CloseHandle(lock);
  const double pressed = PressInstall(run);
  FinishInstallation(&run, pressed);
  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
}

TEST_F(Setup, PlainFileInPlaceOfTheFolderFails) {
  ASSERT_TRUE(WriteWholeFile(kInstallFolder, "not a folder"));

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  PressInstall(run);
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kInstallFailed);
  EXPECT_FALSE(IsFolder(kInstallFolder));
  EXPECT_FALSE(PathExists(IconPath()));
  ExpectNoRegistration();

  ASSERT_TRUE(IsRunning(run.program));
  ClickUnit(run.startWindow, kCloseButton);
  ExpectExitCode(&run, 0);
}

// ---- A disk that fills up
//
// The installation folder is a small disk of its own in these scenarios: the
// test bed mounts one there (a tmpfs of 16 MB), and the scenario fills it up
// until the room it wants is left. Such a disk counts in pages of 4,096 bytes.

constexpr uint64_t kPage = 4096;
constexpr uint64_t kSmallDiskAtMost = 64 << 20;
const char kFillerName[] = "filler";

uint64_t PagesFor(uint64_t bytes) { return (bytes + kPage - 1) / kPage * kPage; }

uint64_t FileSize(const std::string& path) {
  std::string content;
  return ReadWholeFile(path, &content) ? content.size() : 0;
}

// The free bytes and the size of the disk that holds `folder`.
bool DiskSpace(const std::string& folder, uint64_t* free, uint64_t* total) {
  ULARGE_INTEGER available{}, size{};
  if (!GetDiskFreeSpaceExW(WideOf(folder).c_str(), &available, &size, nullptr)) return false;
  *free = available.QuadPart;
  *total = size.QuadPart;
  return true;
}

bool InstallFolderIsASmallDisk() {
  uint64_t free = 0, total = 0;
  return DiskSpace(kInstallFolder, &free, &total) && total <= kSmallDiskAtMost;
}

// Fills the installation folder's disk with a file of its own until `room`
// bytes (whole pages) are left.
testing::AssertionResult LeaveRoom(uint64_t room) {
  uint64_t free = 0, total = 0;
  if (!DiskSpace(kInstallFolder, &free, &total))
    return testing::AssertionFailure() << "no disk space for " << kInstallFolder;
  if (free < room) return testing::AssertionFailure() << "only " << free << " bytes free";
  if (!WriteWholeFile(kInstallFolder + "\\" + kFillerName, std::string(free - room, 'f')))
    return testing::AssertionFailure() << "the filler was not written";
  DiskSpace(kInstallFolder, &free, &total);
  if (free != room) return testing::AssertionFailure() << free << " bytes free instead of " << room;
  return testing::AssertionSuccess();
}

// Earlier files of the product, each of one page, in the installation folder.
const std::string kEarlierMainProgram = "an earlier Morvane.exe" + std::string(4074, 'm');
const std::string kEarlierUninstaller = "an earlier uninstaller" + std::string(4074, 'u');

// The installation folder holds exactly these names, in any order: nothing
// half-written and no file of the setup program's own beside them.
void ExpectInstallFolderHolds(std::vector<std::string> names) {
  std::vector<std::string> present = NamesIn(kInstallFolder);
  std::sort(present.begin(), present.end());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(present, names);
}

// An upgrade whose main program does not fit: the earlier one stays as it
// was, byte for byte, and the installation fails as it always did.
TEST_F(Setup, AFullDiskKeepsTheEarlierMainProgram) {
  if (!InstallFolderIsASmallDisk()) GTEST_SKIP() << "no small disk over " << kInstallFolder;
  const uint64_t newMainProgram = FileSize(mainPayload_);
  ASSERT_GT(newMainProgram, 3 * kPage);
  ASSERT_TRUE(WriteWholeFile(kMainProgramPath, kEarlierMainProgram));
  // Less room than the new program takes even once the earlier one is gone.
  ASSERT_TRUE(LeaveRoom(PagesFor(newMainProgram) - 2 * kPage));

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  PressInstall(run);
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kInstallFailed);
  std::string main;
  EXPECT_TRUE(ReadWholeFile(kMainProgramPath, &main));
  EXPECT_TRUE(main == kEarlierMainProgram) << "Morvane.exe is now " << main.size() << " bytes";
  ExpectInstallFolderHolds({"Morvane.exe", kFillerName});
  EXPECT_FALSE(PathExists(IconPath()));
  ExpectNoRegistration();

  ASSERT_TRUE(IsRunning(run.program));
  ClickUnit(run.startWindow, kCloseButton);
  ExpectExitCode(&run, 0);
}

// Room for the main program, not for the uninstaller: the uninstaller's
// failure stays silent, and the earlier uninstaller stays as it was, so that
// the uninstall entry names a whole program.
TEST_F(Setup, RoomForTheMainProgramOnlyKeepsTheEarlierUninstaller) {
  if (!InstallFolderIsASmallDisk()) GTEST_SKIP() << "no small disk over " << kInstallFolder;
  const uint64_t newMainProgram = FileSize(mainPayload_);
  const uint64_t newUninstaller = FileSize(uninstallerPayload_);
  ASSERT_GT(newUninstaller, 3 * kPage);
  ASSERT_TRUE(WriteWholeFile(kMainProgramPath, kEarlierMainProgram));
  ASSERT_TRUE(WriteWholeFile(kUninstallerPath, kEarlierUninstaller));
  // The new main program fits beside the earlier one; what is left then,
  // with what its replacement frees, is too little for the new uninstaller.
  ASSERT_TRUE(LeaveRoom(PagesFor(newMainProgram) + kPage));

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  FinishInstallation(&run, PressInstall(run));
  EXPECT_EQ(CompareFiles(kMainProgramPath, mainPayload_), "same");
  std::string uninstaller;
  EXPECT_TRUE(ReadWholeFile(kUninstallerPath, &uninstaller));
  EXPECT_TRUE(uninstaller == kEarlierUninstaller)
      << kUninstallerName << " is now " << uninstaller.size() << " bytes";
  ExpectInstallFolderHolds({"Morvane.exe", kUninstallerName, kFillerName});
  EXPECT_EQ(CompareFiles(IconPath(), iconPayload_), "same");
  ExpectRegistration();
  ExpectShortcuts();
}

// ---- A damaged copy

// Where in a block one byte is changed. In the window template it is a
// letter or digit of the agreement's text, so that the windows still load
// and the install button can be pressed; elsewhere the middle byte.
size_t PlaceToDamage(const std::string& block, const std::string& agreement) {
  const size_t text = agreement.empty() ? std::string::npos : block.find(agreement);
  if (text == std::string::npos) return block.size() / 2;
  // A single byte of code page 936, not half of a double-byte character.
  for (size_t i = 0; i < agreement.size(); i += uint8_t(agreement[i]) >= 0x81 ? 2 : 1)
    if (i >= agreement.size() / 2 && isalnum(uint8_t(agreement[i]))) return text + i;
  return block.size() / 2;
}

// A copy of the setup program with one byte changed inside each block it
// carries, in turn: each copy says that it is damaged, writes nothing and
// ends with -1.
TEST_F(Setup, ADamagedCopyIsRefused) {
  std::string program, agreement;
  ASSERT_TRUE(ReadWholeFile(setupPath_, &program));
  ASSERT_TRUE(ReadWholeFile(agreementText_, &agreement));
  const struct {
    const char* name;
    std::string file;
    bool holdsAgreement;
  } blocks[] = {{"main program", mainPayload_, false},
                {"uninstaller", uninstallerPayload_, false},
                {"icon", iconPayload_, false},
                {"window template", windowTemplate_, true}};
  const std::string folder = "C:\\damaged copy";
  ASSERT_TRUE(CreateDirectoryW(WideOf(folder).c_str(), nullptr));
  const std::string copy = folder + "\\MorvaneSetup.exe";
  for (const auto& block : blocks) {
    SCOPED_TRACE(block.name);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(block.file, &bytes));
    const size_t at = program.find(bytes);
    ASSERT_NE(at, std::string::npos) << "the block is not in the program";
    ASSERT_EQ(program.find(bytes, at + 1), std::string::npos) << "the block is there twice";
    std::string damaged = program;
    const size_t place = at + PlaceToDamage(bytes, block.holdsAgreement ? agreement : "");
    damaged[place] = char(damaged[place] ^ 0x01);
    ASSERT_TRUE(WriteWholeFile(copy, damaged));

    SetupRun run;
    ASSERT_TRUE(Launch(copy, &run));
    CheckAgreement(run);
    PressInstall(run);
    EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kSetupDamaged);
    ExpectExitCode(&run, DWORD(-1));
    ExpectNothingWritten();
  }
}

TEST_F(Setup, FailingClassRegistrationEndsTheProgram) {
  // Under a volatile class key, its third value (a key of its own, not
  // volatile) cannot be created.
  HKEY volatileKey;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"zorvafile", 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS | kSetupRegistryView, nullptr, &volatileKey, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(volatileKey);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  const double pressed = PressInstall(run);
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kRegistryFailed);
  EXPECT_GE(NowMilliseconds() - pressed, kAnimationMs);
  ExpectExitCode(&run, 0);

  const std::vector<RegistryRow> rows = RegistrationRows();
  for (size_t i = 0; i < 2; ++i)
    EXPECT_EQ(RegistryText(rows[i].root, rows[i].key, rows[i].name), rows[i].data)
        << RowName(rows[i]);
  for (size_t i = 2; i < rows.size(); ++i)
    EXPECT_EQ(RegistryText(rows[i].root, rows[i].key, rows[i].name), "<none>") << RowName(rows[i]);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "zorvafile\\DefaultIcon"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "*\\shell\\Morvane"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(PathExists(DesktopShortcut()));
  EXPECT_FALSE(PathExists(ProgramGroup()));
  ExpectFilesInstalled();
}

TEST_F(Setup, ExistingAllFilesVerbIsKept) {
  const std::string other = "C:\\Other\\viewer.exe %1";
  SetRegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", "", other);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  FinishInstallation(&run, PressInstall(run));

  EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "*\\shell\\Morvane\\command", ""), other);
  ExpectRegistration({RowOfKey(kAllFilesVerbCommand)});
  ExpectFilesInstalled();
  ExpectShortcuts();
}

TEST_F(Setup, RepeatedInstallation) {
  {
    SetupRun first;
    ASSERT_TRUE(Launch(&first));
    CheckAgreement(first);
    FinishInstallation(&first, PressInstall(first));
  }
  ExpectRegistration();

  // What the second installation must put right, and what it must leave.
  for (const std::string& path : {kMainProgramPath, kUninstallerPath})
    ASSERT_TRUE(WriteWholeFile(path, "an older version"));
  ASSERT_TRUE(WriteWholeFile(IconPath(), "an older icon"));
  SetRegistryText(HKEY_CLASSES_ROOT, "zorvafile\\shell\\open\\command", "", "old.exe \"%1\"");
  SetRegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion", "1.2");
  const std::string custom = "C:\\Custom\\open.exe %1";
  SetRegistryText(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane\\command", "", custom);

  SetupRun second;
  ASSERT_TRUE(Launch(&second));
  CheckAgreement(second);
  FinishInstallation(&second, PressInstall(second));

  ExpectFilesInstalled();
  ExpectRegistration({RowOfKey(kFolderVerbCommand)});
  EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Directory\\shell\\Morvane\\command", ""), custom);
  ExpectShortcuts();
}

TEST_F(Setup, ProfileFolderWithADotGetsLinks) {
  const std::string profile = "C:\\users\\first.last";
  const std::string desktop = profile + "\\Desktop";
  const std::string programs = profile + "\\Start Menu\\Programs";
  for (const std::string& folder : {profile, desktop, profile + "\\Start Menu", programs})
    CreateDirectoryW(WideOf(folder).c_str(), nullptr);
  const char kUserShellFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  SetRegistryText(HKEY_CURRENT_USER, kUserShellFolders, "Desktop", desktop);
  SetRegistryText(HKEY_CURRENT_USER, kUserShellFolders, "Programs", programs);
  ASSERT_EQ(ShellFolder(CSIDL_DESKTOPDIRECTORY), desktop);
  ASSERT_EQ(ShellFolder(CSIDL_PROGRAMS), programs);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  FinishInstallation(&run, PressInstall(run));

  EXPECT_EQ(ShortcutTarget(desktop + "\\Morvane.lnk"), kMainProgramPath);
  EXPECT_EQ(ShortcutTarget(programs + "\\tervilo\\Morvane.lnk"), kMainProgramPath);
  EXPECT_EQ(ShortcutTarget(programs + "\\tervilo\\" + kUninstallShortcutName + ".lnk"),
            kUninstallerPath);
  EXPECT_FALSE(PathExists(desktop + "\\Morvane"));
  EXPECT_FALSE(PathExists(programs + "\\tervilo\\Morvane"));
}

// Points one of the user's shell folders ("Desktop", "Programs") at `path`,
// as a profile elsewhere has it; the folder is made.
void MoveShellFolder(const wchar_t* valueName, const std::wstring& path) {
  ASSERT_EQ(SHCreateDirectoryExW(nullptr, path.c_str(), nullptr), ERROR_SUCCESS) << Utf8Of(path);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER,
                          L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell "
                          L"Folders",
                          0, KEY_WRITE, &key),
            ERROR_SUCCESS);
  RegSetValueExW(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                 DWORD((path.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

// A desktop whose folder name has no code-page-936 form (Korean): the
// desktop shortcut lands there, in the folder as Windows names it, and
// nothing goes under the name that code page 936 would have made of it
// ("C:\users\??"); the rest of the installation is as always.
TEST_F(Setup, DesktopWithoutACodePage936NameGetsItsLink) {
  const std::wstring desktop = L"C:\\users\\한국\\Desktop";
  ASSERT_NO_FATAL_FAILURE(MoveShellFolder(L"Desktop", desktop));
  ASSERT_EQ(WideShellFolder(CSIDL_DESKTOPDIRECTORY), desktop);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  FinishInstallation(&run, PressInstall(run));

  EXPECT_EQ(TreeOf(desktop), std::vector<std::string>{"Morvane.lnk"});
  EXPECT_EQ(ShortcutTarget(desktop + L"\\Morvane.lnk"), kMainProgramPath);
  EXPECT_FALSE(PathExists(std::wstring(L"C:\\users\\??")));
  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
}

// A profile whose name code page 936 only approximates: "Guðrún Þór"
// best-fits to "Guerún Tór", the valid name of another profile, which is
// there as a decoy with a desktop and a programs folder of its own. The
// shortcuts and the group land in the user's own folders; nothing is written
// into the other profile.
TEST_F(Setup, ABestFitProfileNameLeavesTheLookalikeProfileAlone) {
  const std::wstring profile = L"C:\\users\\Gu\x00F0r\x00FAn \x00DE\x00F3r";
  const std::wstring decoy = L"C:\\users\\Guer\x00FAn T\x00F3r";
  ASSERT_EQ(Cp936Of(profile), Gbk("C:\\users\\Gu?rún ?ór")) << "no best fit in the test's view";
  const wchar_t kPrograms[] = L"\\Start Menu\\Programs";
  for (const std::wstring& folder : {decoy + L"\\Desktop", decoy + kPrograms})
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr), ERROR_SUCCESS);
  const std::vector<std::string> decoyBefore = TreeOf(decoy);
  ASSERT_NO_FATAL_FAILURE(MoveShellFolder(L"Desktop", profile + L"\\Desktop"));
  ASSERT_NO_FATAL_FAILURE(MoveShellFolder(L"Programs", profile + kPrograms));
  ASSERT_EQ(WideShellFolder(CSIDL_PROGRAMS), profile + kPrograms);

  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  FinishInstallation(&run, PressInstall(run));

  EXPECT_EQ(TreeOf(decoy), decoyBefore) << "written into the other profile";
  EXPECT_EQ(TreeOf(profile + L"\\Desktop"), std::vector<std::string>{"Morvane.lnk"});
  EXPECT_EQ(TreeOf(profile + kPrograms + L"\\tervilo").size(), 2u);
  ExpectShortcuts();
  ExpectFilesInstalled();
  ExpectRegistration();
}

// The file names of the modules that a process has loaded, in lower case.
std::vector<std::string> LoadedModules(DWORD processId) {
  std::vector<std::string> names;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return names;
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32FirstW(snapshot, &module); more;
       more = Module32NextW(snapshot, &module)) {
    std::string name = Cp936Of(module.szModule);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    names.push_back(name);
  }
  CloseHandle(snapshot);
  return names;
}

bool Holds(const std::vector<std::string>& names, const char* name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The shell is loaded when an installation or a link first needs it, never
// for the start window: shell32 and what it brings (shcore, shlwapi) are not
// in the program's import table.
TEST_F(Setup, TheStartWindowLoadsNoShellLibrary) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  // Past creating, showing and painting the window, and in its message loop.
  WaitForInputIdle(run.program.process.hProcess, kGiveUpMs);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(run.startWindow, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &answer));
  const std::vector<std::string> loaded = LoadedModules(run.program.process.dwProcessId);
  // What the window needs is there: the list is the real one.
  ASSERT_TRUE(Holds(loaded, "user32.dll"));
  EXPECT_TRUE(Holds(loaded, "comctl32.dll")) << "the check box is a themed system control";
  for (const char* shell : {"shell32.dll", "shcore.dll", "shlwapi.dll"})
    EXPECT_FALSE(Holds(loaded, shell)) << shell << " is loaded with the start window";

  // The agreement window is the program's own: still no shell.
  ClickUnit(run.startWindow, kAgreementLink);
  HWND agreement = WaitForAgreementWindow(run);
  ASSERT_NE(agreement, nullptr) << "the link opened no window";
  EXPECT_FALSE(Holds(LoadedModules(run.program.process.dwProcessId), "shell32.dll"));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilGone(agreement));
  ClickUnit(run.startWindow, kCloseButton);
  ExpectExitCode(&run, 0);
}

// The share of the area's pixels that differ between two shots of it.
double ChangedShare(const ScreenPixels& a, const ScreenPixels& b) {
  if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 1;
  size_t changed = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) changed += a.pixels[i] != b.pixels[i];
  return double(changed) / double(a.pixels.size());
}

bool IsRed(uint32_t pixel) {
  const int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
  return r >= 160 && r > g + 60 && r > b + 60;
}

// The buttons' hover pictures, which the program makes only when they are
// first shown: the install button lightens under the pointer, the close
// button turns red; each shows its normal look again once the pointer
// leaves.
TEST_F(Setup, ButtonsShowTheirHoverPictures) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  MoveAway(run);
  // Past painting the window, and in its message loop.
  WaitForInputIdle(run.program.process.hProcess, kGiveUpMs);
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(run.startWindow, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &answer));
  for (const UnitArea& unit : {kInstallButton, kCloseButton}) {
    const bool close = unit.left == kCloseButton.left;
    const RECT area = UnitRect(run.startWindow, unit);
    // What the window paints reaches the screen a moment later. The normal
    // look is taken with the pointer seen away from the button all the
    // while: one left over it shows the hover look instead.
    const POINT bare = PointIn(run.startWindow, kBareSurface);
    const auto pointerAway = [&] {
      POINT at{};
      return GetCursorPos(&at) && at.x == bare.x && at.y == bare.y;
    };
    ScreenPixels normal = CaptureScreen(area);
    MoveMouseUntil(bare, [&] {
      if (!pointerAway()) return false;
      const ScreenPixels again = CaptureScreen(area);
      const bool settled = ChangedShare(normal, again) == 0;
      normal = again;
      return settled && pointerAway() && CountWhite(normal, area) < AreaOf(unit) * 9 / 10;
    });
    // Waited for as a whole, changed and in its colour: a shot taken while
    // something else passed over the screen is not the hover picture.
    ScreenPixels hover;
    EXPECT_TRUE(MoveMouseUntil(PointIn(run.startWindow, unit),
                               [&] {
                                 hover = CaptureScreen(area);
                                 const int red = CountMatching(hover, area, IsRed);
                                 return ChangedShare(normal, hover) >= 0.25 &&
                                        (close ? red >= AreaOf(unit) / 4 : red < AreaOf(unit) / 10);
                               }))
        << (close ? "the close button does not turn red"
                  : "the install button shows no hover picture");
    EXPECT_TRUE(MoveMouseUntil(bare,
                               [&] {
                                 const ScreenPixels after = CaptureScreen(area);
                                 return ChangedShare(hover, after) >= 0.25 &&
                                        CountMatching(after, area, IsRed) < AreaOf(unit) / 10;
                               }))
        << (close ? "the close button" : "the install button") << " stays in its hover look";
  }
  ClickUnit(run.startWindow, kCloseButton);
  ExpectExitCode(&run, 0);
  ExpectNothingWritten();
}

TEST_F(Setup, WindowDragsMinimisesAndCloses) {
  {
    SetupRun run;
    ASSERT_TRUE(Launch(&run));
    // By the title, then by the bare white surface: the mouse's distance.
    const std::string start = Origin(run.startWindow);
    EXPECT_TRUE(DragWindow(run.startWindow, PointAt(run.startWindow, kTitleLabel, 12, 8), 50, 30))
        << Origin(run.startWindow) << " is not " << Shifted(start, 50, 30);
    EXPECT_TRUE(DragWindow(run.startWindow, PointIn(run.startWindow, kBareSurface), -80, 20))
        << Origin(run.startWindow) << " is not " << Shifted(start, -30, 50);

    ClickUnit(run.startWindow, kCloseButton);
    EXPECT_TRUE(WaitUntilGone(run.startWindow));
    ExpectExitCode(&run, 0);
  }
  {
    SetupRun run;
    ASSERT_TRUE(Launch(&run));
    ClickUnit(run.startWindow, kMinimiseButton);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(run.startWindow) != FALSE; })) << "not minimised";
    // Back as the taskbar brings it, then Esc.
    PostMessageW(run.startWindow, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(run.startWindow); })) << "not restored";
    ClickUnit(run.startWindow, kBareSurface);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntilGone(run.startWindow));
    ExpectExitCode(&run, 0);
  }
  ExpectNothingWritten();
}

TEST_F(Setup, ClosingTheStartWindowWaitsForTheAgreementWindow) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  HWND agreement = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenAgreementBelowStartWindow(run, &agreement));

  ClickUnit(run.startWindow, kCloseButton);
  EXPECT_TRUE(WaitUntilGone(run.startWindow));
  // Had the close ended the program's loop, the agreement window would not
  // paint again, and would be gone with the program.
  EXPECT_TRUE(Synchronise(agreement));
  EXPECT_TRUE(IsRunning(run.program)) << "the agreement window keeps the program";
  EXPECT_TRUE(IsWindowVisible(agreement));

  const POINT caption = CaptionPoint(agreement);
  ClickAt(caption.x, caption.y);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilGone(agreement));
  ExpectExitCode(&run, 0);
  ExpectNothingWritten();
}

TEST_F(Setup, ClosingDuringTheAnimationCompletesTheInstallation) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  PressInstall(run);
  ASSERT_TRUE(ExpectPlaces(run.startWindow, {{"progress bar", kProgressBar, false}}));
  ClickUnit(run.startWindow, kCloseButton);
  EXPECT_TRUE(WaitUntilGone(run.startWindow));

  // The outcome is told, and the box waits for its answer; meanwhile the
  // program sleeps. A sleeping process uses next to no processor time under
  // any load; a spinning one takes what it gets, a whole core when idle.
  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(run.program, kBoxTimeoutMs, &seen));
  EXPECT_EQ(seen.text, kInstallDone);
  const double cpuFrom = ProcessCpuMilliseconds(run.program.process.hProcess);
  const double wallFrom = NowMilliseconds();
  // What is measured is the processor time of a span of time: no state ends
  // it but the clock.
  Sleep(3000);
  const double cpu = ProcessCpuMilliseconds(run.program.process.hProcess) - cpuFrom;
  const double wall = NowMilliseconds() - wallFrom;
  EXPECT_TRUE(IsWindowVisible(seen.box)) << "the box stays until it is answered";
  EXPECT_LT(cpu, wall / 2) << "processor time " << cpu << " ms in " << wall << " ms";
  ClickBoxButton(seen, IDOK);
  ExpectExitCode(&run, 0);

  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
}

TEST_F(Setup, EscDuringTheAnimationWithTheAgreementWindowOpen) {
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  HWND agreement = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenAgreementBelowStartWindow(run, &agreement));

  CheckAgreement(run);
  PressInstall(run);
  ASSERT_TRUE(ExpectPlaces(run.startWindow, {{"progress bar", kProgressBar, false}}));
  // The start window is active since the press.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntilGone(run.startWindow));
  EXPECT_TRUE(IsWindowVisible(agreement));
  EXPECT_EQ(AnswerMessageBox(run.program, kBoxTimeoutMs), kInstallDone);
  ExpectExitCode(&run, 0);

  ExpectFilesInstalled();
  ExpectRegistration();
  ExpectShortcuts();
}

// The title held pressed during the animation: the system's move loop runs
// inside the press's handler, inside one of the animation's waits, and holds
// that wait up until the release; every later position still waits its own
// 0.1 s. So the final box comes later by about the time held, and the bar
// does not race ahead after the release to make up for it.
TEST_F(Setup, AHeldDragDelaysTheAnimationByItsTime) {
  constexpr double kHoldMs = 1500;
  SetupRun run;
  ASSERT_TRUE(Launch(&run));
  CheckAgreement(run);
  const double pressed = PressInstall(run);
  HWND bar = FirstChildOfClass(run.startWindow, PROGRESS_CLASSW);
  ASSERT_NE(bar, nullptr) << "no progress bar";
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(bar) != FALSE; })) << "no progress view";
  auto position = [&] { return SendMessageW(bar, PBM_GETPOS, 0, 0); };

  const POINT title = PointAt(run.startWindow, kTitleLabel, 12, 8);
  const std::string origin = Origin(run.startWindow);
  PressLeftAt(title.x, title.y);  // taken in: the move loop runs from here
  const double heldFrom = NowMilliseconds();
  const LRESULT heldAt = position();
  // A hand holds the button and moves a little; only the clock ends a hold.
  int moved = 0;
  while (NowMilliseconds() - heldFrom < kHoldMs) {
    if (moved < 20) ++moved;
    MoveMouseTo(title.x + moved, title.y + moved);
    Sleep(100);
  }
  const double releasedAt = NowMilliseconds();
  ReleaseLeftAt(title.x + moved, title.y + moved);
  const double held = releasedAt - heldFrom;

  // Once released, the bar shows the next position at once at the most,
  // then one more every 0.1 s at the most.
  struct Reading {
    LRESULT position;
    double afterRelease;
  };
  std::vector<Reading> readings;
  WaitUntil([&] {
    const LRESULT now = position();
    readings.push_back({now, NowMilliseconds() - releasedAt});
    return now >= heldAt + 3 || now >= kFullBar;
  });
  ASSERT_FALSE(readings.empty());
  for (const Reading& reading : readings)
    EXPECT_LE(reading.position, heldAt + 1 + LRESULT(reading.afterRelease / kLeastStepMs))
        << "the bar went from " << heldAt << " to " << reading.position << " within "
        << reading.afterRelease << " ms of the release";
  // The hold was a drag: the window followed the mouse.
  EXPECT_TRUE(WaitUntil([&] { return Origin(run.startWindow) == Shifted(origin, moved, moved); }))
      << Origin(run.startWindow) << " is not " << Shifted(origin, moved, moved);

  MessageBoxSeen seen;
  ASSERT_TRUE(WaitForMessageBox(run.program, kBoxTimeoutMs, &seen));
  const double done = NowMilliseconds();
  EXPECT_EQ(seen.text, kInstallDone);
  // What was left after the release still took its time.
  EXPECT_GE(done - releasedAt, LeastRemainingMs(readings.front().position))
      << "position " << readings.front().position << " right after the release";
  // The steps before the hold, the hold, what was left after it.
  EXPECT_GE(done - pressed, double(heldAt - 1) * kLeastStepMs + held + LeastRemainingMs(heldAt))
      << "held " << held << " ms at position " << heldAt;
  ClickBoxButton(seen, IDOK);
  ExpectExitCode(&run, 0);
  ExpectFilesInstalled();
}

TEST_F(Setup, SecondInstanceOpensASecondWindow) {
  SetupRun first, second;
  ASSERT_TRUE(Launch(&first));
  ASSERT_TRUE(Launch(&second));
  EXPECT_NE(first.startWindow, second.startWindow);
  EXPECT_TRUE(IsWindowVisible(first.startWindow));
  EXPECT_TRUE(IsWindowVisible(second.startWindow));

  // Both lie in the middle of the screen: each click of the close button
  // ends the one on top.
  ASSERT_EQ(Origin(first.startWindow), Origin(second.startWindow));
  const POINT close = PointIn(first.startWindow, kCloseButton);
  for (int left = 1; left >= 0; --left) {
    ClickAt(close.x, close.y);
    EXPECT_TRUE(WaitUntil([&] {
      return int(IsRunning(first.program)) + int(IsRunning(second.program)) == left;
    })) << "a click of the close button ends one program";
  }
  ExpectExitCode(&first, 0);
  ExpectExitCode(&second, 0);
  ExpectNothingWritten();
}

}  // namespace
