// The picture box and the window unit in this process, without the frame:
// created through their class tables from property blocks, rendered with
// WM_PRINTCLIENT and checked pixel by pixel. Events are held throughout, as
// the frame holds them while it builds a window.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "frame/events.h"
#include "support/dib_surface.h"
#include "support/real_input.h"
#include "support/test_support.h"
#include "tests/wine/widgets/test_images.h"
#include "widgets/common/reflection.h"
#include "widgets/pic_box/pic_box.h"
#include "widgets/pic_box/pic_box_properties.h"
#include "widgets/window/window.h"
#include "widgets/window/window_properties.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBanner = 0x00FF4646;

class HoldAllEvents : public ::testing::Environment {
  void SetUp() override { HoldEvents(); }
};
::testing::Environment* const kHeldEvents = ::testing::AddGlobalTestEnvironment(new HoldAllEvents);

// A client area as drawn by WM_PRINTCLIENT (onto black).
SurfacePixels Render(HWND hwnd) { return PrintClient(hwnd, RGB(0, 0, 0)); }

// Answers reflected messages: it keeps the last one and answers `answer`.
struct Probe {
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT answer = 0;
} g_probe;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= kReflectedBase && message < kReflectedBase + 0x400) {
    g_probe.message = message;
    g_probe.wParam = wParam;
    g_probe.lParam = lParam;
    return g_probe.answer;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A plain top-level window to hold units.
HWND MakeHost(int width, int height, const char* className = "PicWinTestHost",
              WNDPROC procedure = DefWindowProcA) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(0, className, "host", WS_POPUP | WS_CLIPCHILDREN, 10, 10, width, height,
                         nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND MakePicBox(HWND parent, const PicBoxProperties& properties, int width, int height,
                DWORD style = 0) {
  Bytes block;
  if (!WriteProperties(properties, &block)) return nullptr;
  UnitCreateArgs args;
  args.properties = ViewOf(block);
  args.style = style;
  args.parent = parent;
  args.controlId = 100;
  args.width = width;
  args.height = height;
  return kPicBoxUnit.create(args);
}

HWND MakeWindow(const WindowProperties& properties, int left, int top, int width, int height) {
  Bytes block;
  if (!WriteProperties(properties, &block)) return nullptr;
  UnitCreateArgs args;
  args.properties = ViewOf(block);
  args.left = left;
  args.top = top;
  args.width = width;
  args.height = height;
  return kWindowUnit.create(args);
}

// A property written as the frame writes it: into the record, then told.
template <typename Record, typename Field>
void Write(HWND unit, const UnitOperations& operations, Field Record::*member, Field value,
           int unitIndex) {
  static_cast<Record*>(operations.properties(unit))->*member = value;
  operations.propertyChanged(unit, unitIndex, Value());
}

// The threads of this process by identifier. Wine starts threads of its own
// now and then, so the player's thread is told by when it appeared.
std::set<DWORD> ThreadsOfThisProcess() {
  std::set<DWORD> threads;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return threads;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) threads.insert(entry.th32ThreadID);
  CloseHandle(snapshot);
  return threads;
}

// Whether all of `threads` have ended, waiting for the last ones.
bool AllEnded(const std::set<DWORD>& threads) {
  return WaitUntil([&] {
    for (DWORD thread : ThreadsOfThisProcess())
      if (threads.count(thread)) return false;
    return true;
  });
}

// The threads now running that were not among `before`.
std::set<DWORD> NewThreads(const std::set<DWORD>& before) {
  std::set<DWORD> fresh;
  for (DWORD thread : ThreadsOfThisProcess())
    if (!before.count(thread)) fresh.insert(thread);
  return fresh;
}

TEST(PicBox, DisplayModesPlaceThePictureOverTheBackground) {
  struct Case {
    int mode, imageWidth, imageHeight;
    RECT picture;  // where the picture must land in a 100 x 100 box
  };
  const Case cases[] = {
      {0, 30, 20, {0, 0, 30, 20}},      // natural size, top-left
      {0, 130, 20, {0, 0, 100, 20}},    // cut off at the edge
      {1, 30, 20, {0, 0, 100, 100}},    // stretched
      {2, 50, 20, {25, 40, 75, 60}},    // smaller: centred, unscaled
      {2, 200, 100, {0, 25, 100, 75}},  // larger: scaled by the smaller ratio
      {2, 100, 400, {37, 0, 62, 100}},  // taller: scaled by height, centred across
  };
  HWND host = MakeHost(100, 100);
  for (const Case& c : cases) {
    PicBoxProperties properties;
    properties.backColor = kBanner;
    properties.displayMode = c.mode;
    properties.picture = MakeSolidBmp(c.imageWidth, c.imageHeight, kRed);
    HWND box = MakePicBox(host, properties, 100, 100);
    ASSERT_TRUE(box);
    const SurfacePixels shown = Render(box);
    ASSERT_EQ(shown.width, 100);
    const RECT& p = c.picture;
    // Inside the picture's rectangle (clear of its edges, where stretching
    // may blend) and just outside it.
    const POINT inside[] = {{p.left + 1, p.top + 1}, {p.right - 2, p.bottom - 2}};
    for (POINT at : inside)
      EXPECT_EQ(shown.At(at.x, at.y), kRed) << "mode " << c.mode << " at " << at.x << "," << at.y;
    const POINT outside[] = {{p.left - 1, p.top + 1},
                             {p.right, p.bottom - 2},
                             {p.left + 1, p.top - 1},
                             {p.right - 2, p.bottom}};
    for (POINT at : outside) {
      if (at.x < 0 || at.y < 0 || at.x >= 100 || at.y >= 100) continue;
      EXPECT_EQ(shown.At(at.x, at.y), kBanner)
          << "mode " << c.mode << " at " << at.x << "," << at.y;
    }
    DestroyWindow(box);
  }
  DestroyWindow(host);
}

TEST(PicBox, RunTimeChangesShowAtOnce) {
  HWND host = MakeHost(60, 60);
  PicBoxProperties properties;
  properties.backColor = kBanner;
  HWND box = MakePicBox(host, properties, 40, 40);
  ASSERT_TRUE(box);
  EXPECT_EQ(Render(box).At(20, 20), kBanner);
  Write(box, kPicBoxUnit, &PicBoxProperties::backColor, uint32_t(kGreen), kPicBoxBackColor);
  EXPECT_EQ(Render(box).At(20, 20), kGreen);
  Write(box, kPicBoxUnit, &PicBoxProperties::picture, MakeSolidBmp(10, 10, kRed), kPicBoxPicture);
  EXPECT_EQ(Render(box).At(5, 5), kRed);
  EXPECT_EQ(Render(box).At(20, 20), kGreen);
  Write(box, kPicBoxUnit, &PicBoxProperties::displayMode, int32_t(1), kPicBoxDisplayMode);
  EXPECT_EQ(Render(box).At(20, 20), kRed);
  // Bytes that are no picture leave the background alone.
  Write(box, kPicBoxUnit, &PicBoxProperties::picture, Bytes(7, 'B'), kPicBoxPicture);
  EXPECT_EQ(Render(box).At(5, 5), kGreen);
  DestroyWindow(host);
}

// Both containers send their controls' messages back to the control; a
// control that answers 0 leaves the message to the container, and a window
// that is not the container's child is sent nothing.
TEST(Containers, ReflectTheirControlsMessagesToTheControl) {
  WNDCLASSA probeClass{};
  probeClass.lpfnWndProc = ProbeProc;
  probeClass.hInstance = GetModuleHandleA(nullptr);
  probeClass.lpszClassName = "PicWinProbe";
  RegisterClassA(&probeClass);
  HWND host = MakeHost(200, 200);
  WindowProperties windowProperties;
  windowProperties.startPosition = 0;
  const HWND containers[] = {MakePicBox(host, PicBoxProperties(), 100, 100),
                             MakeWindow(windowProperties, 0, 0, 200, 200)};
  HWND stranger = CreateWindowExA(0, "PicWinProbe", "", WS_CHILD, 0, 0, 5, 5, host, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  for (HWND container : containers) {
    ASSERT_TRUE(container);
    HWND probe = CreateWindowExA(0, "PicWinProbe", "", WS_CHILD, 0, 0, 10, 10, container, HMENU(7),
                                 GetModuleHandleA(nullptr), nullptr);
    g_probe = Probe{};
    g_probe.answer = 1;
    SendMessageA(container, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), LPARAM(probe));
    EXPECT_EQ(g_probe.message, kReflectedCommand);
    EXPECT_EQ(g_probe.wParam, MAKEWPARAM(7, EN_CHANGE));
    EXPECT_EQ(g_probe.lParam, LPARAM(probe));

    NMHDR header{probe, 7, UINT(-2)};  // NM_CLICK
    g_probe = Probe{};
    g_probe.answer = 1;
    SendMessageA(container, WM_NOTIFY, 7, LPARAM(&header));
    EXPECT_EQ(g_probe.message, kReflectedNotify);

    MEASUREITEMSTRUCT measure{};
    measure.CtlType = ODT_LISTBOX;
    measure.CtlID = 7;
    g_probe = Probe{};
    g_probe.answer = TRUE;
    EXPECT_EQ(SendMessageA(container, WM_MEASUREITEM, 7, LPARAM(&measure)), TRUE);
    EXPECT_EQ(g_probe.message, kReflectedMeasureItem);

    HBRUSH brush = CreateSolidBrush(kGreen);
    HDC dc = GetDC(probe);
    g_probe = Probe{};
    g_probe.answer = LRESULT(brush);
    EXPECT_EQ(SendMessageA(container, WM_CTLCOLOREDIT, WPARAM(dc), LPARAM(probe)), LRESULT(brush));
    EXPECT_EQ(g_probe.message, kReflectedCtlColorEdit);
    // Answered 0: the container's default colours.
    g_probe.answer = 0;
    EXPECT_NE(SendMessageA(container, WM_CTLCOLORSTATIC, WPARAM(dc), LPARAM(probe)), 0);
    EXPECT_EQ(g_probe.message, kReflectedCtlColorStatic);
    ReleaseDC(probe, dc);
    DeleteObject(brush);

    g_probe = Probe{};
    g_probe.answer = 1;
    SendMessageA(container, WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), LPARAM(stranger));
    SendMessageA(container, WM_COMMAND, MAKEWPARAM(7, 0), 0);  // a menu's
    EXPECT_EQ(g_probe.message, 0u);
    DestroyWindow(container);
  }
  DestroyWindow(host);
}

TEST(PicBox, AnimatedGifAdvancesAndItsThreadEndsWithTheUnit) {
  HWND host = MakeHost(20, 20);
  ShowWindow(host, SW_SHOWNA);
  const std::set<DWORD> threadsBefore = ThreadsOfThisProcess();
  ASSERT_FALSE(threadsBefore.empty());
  PicBoxProperties properties;
  properties.picture = MakeGif(8, 8, {kRed, kBlue}, 3);
  HWND box = MakePicBox(host, properties, 8, 8, WS_VISIBLE);
  ASSERT_TRUE(box);
  UpdateWindow(host);  // the first paint starts the animation
  // The threads that came with the animation.
  std::set<DWORD> started = NewThreads(threadsBefore);
  EXPECT_FALSE(started.empty());
  bool sawRed = false, sawBlue = false;
  WaitUntil([&] {
    const COLORREF shown = Render(box).At(4, 4);
    sawRed = sawRed || shown == kRed;
    sawBlue = sawBlue || shown == kBlue;
    return sawRed && sawBlue;
  });
  EXPECT_TRUE(sawRed);
  EXPECT_TRUE(sawBlue);

  // Without PlayAnimation: the first image, and the thread stopped.
  Write(box, kPicBoxUnit, &PicBoxProperties::playAnimation, false, kPicBoxPlayAnimation);
  UpdateWindow(host);
  EXPECT_EQ(Render(box).At(4, 4), kRed);
  EXPECT_TRUE(AllEnded(started));
  Write(box, kPicBoxUnit, &PicBoxProperties::playAnimation, true, kPicBoxPlayAnimation);
  UpdateWindow(host);
  started = NewThreads(threadsBefore);
  EXPECT_FALSE(started.empty());

  DestroyWindow(box);
  EXPECT_TRUE(AllEnded(started)) << "a player thread outlived its picture box";
  DestroyWindow(host);
}

COLORREF RedLeftHalf(int x, int) { return x < 5 ? kRed : kBlue; }

TEST(Window, TiledBackgroundStartsInTheCornerAndCutsTheLastTile) {
  WindowProperties properties;
  properties.borderStyle = 0;
  properties.startPosition = 0;
  properties.backColor = kGreen;
  properties.backPictureMode = 1;
  properties.backPicture = MakeBmp(10, 10, RedLeftHalf);
  HWND window = MakeWindow(properties, 0, 0, 25, 12);
  ASSERT_TRUE(window);
  const SurfacePixels shown = Render(window);
  ASSERT_EQ(shown.width, 25);
  for (int x = 0; x < 25; ++x)
    for (int y : {0, 5, 11}) EXPECT_EQ(shown.At(x, y), x % 10 < 5 ? kRed : kBlue) << x << "," << y;

  // The other modes leave the colour around the picture.
  struct Mode {
    int32_t mode;
    POINT picture, colour;
  };
  const Mode modes[] = {{0, {2, 2}, {15, 2}}, {2, {12, 5}, {2, 5}}, {3, {1, 1}, {-1, -1}}};
  for (const Mode& m : modes) {
    Write(window, kWindowUnit, &WindowProperties::backPictureMode, m.mode, kWindowBackPictureMode);
    const SurfacePixels again = Render(window);
    EXPECT_NE(again.At(m.picture.x, m.picture.y), kGreen) << "mode " << m.mode;
    if (m.colour.x >= 0) {
      EXPECT_EQ(again.At(m.colour.x, m.colour.y), kGreen) << "mode " << m.mode;
    }
  }
  // A picture that does not decode leaves the colour alone.
  Write(window, kWindowUnit, &WindowProperties::backPicture, Bytes(20, 'x'), kWindowBackPicture);
  EXPECT_EQ(Render(window).At(2, 2), kGreen);
  DestroyWindow(window);
}

TEST(Window, OuterSizeIsTheRectangleAskedForEveryBorder) {
  struct Case {
    int32_t borderStyle;
    const char* caption;
    int width, height;
    bool captionBar;
  };
  // 30 x 20 is below the size the system would give a captioned window.
  const Case cases[] = {{0, "", 30, 20, false},
                        {0, "", 393, 277, false},
                        {0, "text", 120, 90, false},
                        {2, "", 470, 373, true},
                        {1, "sizable", 200, 150, true}};
  for (const Case& c : cases) {
    WindowProperties properties;
    properties.borderStyle = c.borderStyle;
    properties.caption = c.caption;
    properties.startPosition = 0;
    HWND window = MakeWindow(properties, 40, 30, c.width, c.height);
    ASSERT_TRUE(window);
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(outer.right - outer.left, c.width) << c.borderStyle;
    EXPECT_EQ(outer.bottom - outer.top, c.height) << c.borderStyle;
    EXPECT_EQ(outer.left, 40);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.captionBar) << c.borderStyle;
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    if (c.borderStyle == 0) {
      EXPECT_EQ(client.right, c.width);
      EXPECT_EQ(client.bottom, c.height);
    }
    DestroyWindow(window);
  }
}

TEST(Window, OneTrueColourIconEntryGivesBothIcons) {
  WindowProperties properties;
  properties.startPosition = 0;
  properties.icon = MakeTrueColourIcon(48, kRed);
  HWND window = MakeWindow(properties, 0, 0, 100, 100);
  ASSERT_TRUE(window);
  for (WPARAM which : {WPARAM(ICON_BIG), WPARAM(ICON_SMALL)}) {
    HICON icon = HICON(SendMessageA(window, WM_GETICON, which, 0));
    ASSERT_TRUE(icon) << which;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 48) << which;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
  }
  DestroyWindow(window);
}

TEST(Window, StoredStartPositionShowsMinimisedOrMaximisedAndReadsBack) {
  struct Case {
    int32_t stored, borderStyle;
    int32_t readBack;
  };
  const Case cases[] = {{2, 2, 2}, {3, 1, 3}, {3, 0, 3}, {0, 2, 0}};
  for (const Case& c : cases) {
    WindowProperties properties;
    properties.startPosition = c.stored;
    properties.borderStyle = c.borderStyle;
    HWND window = MakeWindow(properties, 20, 20, 200, 150);
    ASSERT_TRUE(window);
    ShowWindow(window, kWindowUnit.showCommand(window));
    DispatchUntilIdle();
    Value value;
    ASSERT_TRUE(kWindowUnit.readLiveProperty(window, kWindowStartPosition, &value));
    EXPECT_EQ(value.integer, c.readBack) << "stored " << c.stored;
    // Set at run time: shown normally, then minimised.
    Write(window, kWindowUnit, &WindowProperties::startPosition, int32_t(0), kWindowStartPosition);
    DispatchUntilIdle();
    EXPECT_FALSE(IsIconic(window) || IsZoomed(window)) << "stored " << c.stored;
    Write(window, kWindowUnit, &WindowProperties::startPosition, int32_t(2), kWindowStartPosition);
    DispatchUntilIdle();
    EXPECT_TRUE(IsIconic(window)) << "stored " << c.stored;
    DestroyWindow(window);
  }
}

}  // namespace
