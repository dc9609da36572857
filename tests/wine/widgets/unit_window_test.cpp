// The unit windows' one way to be made: whatever step of CreateWindowEx
// fails, and whoever holds the state at that moment, the state goes exactly
// once; a window that is made holds its state until its last message.
#include "widgets/common/unit_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "support/test_text.h"
#include "widgets/common/system_control.h"

namespace {

// What the procedures saw, and how many states went.
struct Seen {
  int released = 0;
  bool creation = false;     // WM_NCCREATE reached the class's procedure
  bool destruction = false;  // WM_DESTROY did
  bool lastMessage = false;  // WM_NCDESTROY did
};
Seen g_seen;

struct Probe {
  // The message whose answer refuses the window: WM_NCCREATE (FALSE) or
  // WM_CREATE (-1); 0 for none.
  UINT refuseAt = 0;
  WNDPROC systemProc = nullptr;  // for a subclassed control
  UnitLink link;
  ~Probe() { ++g_seen.released; }
};

// Every message of the class finds its state, the last one included.
void Note(HWND hwnd, const Probe* probe, UINT message) {
  EXPECT_EQ(UnitStateOf<Probe>(hwnd), probe) << "message " << message;
  if (message == WM_NCCREATE) g_seen.creation = true;
  if (message == WM_DESTROY) g_seen.destruction = true;
  if (message == WM_NCDESTROY) g_seen.lastMessage = true;
}

LRESULT ProbeProc(HWND hwnd, Probe* probe, UINT message, WPARAM wParam, LPARAM lParam) {
  Note(hwnd, probe, message);
  if (probe->refuseAt && message == probe->refuseAt) return message == WM_CREATE ? -1 : FALSE;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Another unit class's procedure.
LRESULT OtherProc(HWND hwnd, Probe*, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A subclass in front of a system control: it hands everything on.
LRESULT ControlProc(HWND hwnd, Probe* probe, UINT message, WPARAM wParam, LPARAM lParam) {
  Note(hwnd, probe, message);
  return CallWindowProcW(probe->systemProc, hwnd, message, wParam, lParam);
}

// While it lives, a hook that refuses every window the thread creates, as a
// computer-based-training hook may (HCBT_CREATEWND answered non-zero).
class RefusingHook {
 public:
  explicit RefusingHook(bool on)
      : hook_(on ? SetWindowsHookExA(WH_CBT, Refuse, nullptr, GetCurrentThreadId()) : nullptr) {}
  ~RefusingHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  RefusingHook(const RefusingHook&) = delete;
  RefusingHook& operator=(const RefusingHook&) = delete;
  bool Set() const { return hook_ != nullptr; }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK hook_;
};

const char kProbeClass[] = "MorvaneUnitWindowProbe";
const char kClaimedClass[] = "MorvaneUnitWindowClaimed";

UnitCreateArgs PopupArgs() {
  UnitCreateArgs args;
  args.left = 10;
  args.top = 10;
  args.width = 60;
  args.height = 30;
  return args;
}

UnitWindowStyle PopupStyle(const char* text) {
  UnitWindowStyle style;
  style.text = text;
  style.style = WS_POPUP;
  return style;
}

HWND CreateProbe(const char* className, UINT refuseAt) {
  UnitWindowClass windowClass;
  windowClass.name = className;
  std::unique_ptr<Probe> probe(new Probe);
  probe->refuseAt = refuseAt;
  return CreateUnitWindow<Probe, ProbeProc>(windowClass, PopupArgs(), PopupStyle(""),
                                            std::move(probe));
}

struct Case {
  const char* what;
  const char* className;
  UINT refuseAt;
  bool hookRefuses;
  bool tookTheState;  // the window had the state before it failed
};

class OwnClassWindow : public testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    // The claimed name belongs to another unit class from here on.
    UnitWindowClass other;
    other.name = kClaimedClass;
    HWND hwnd = CreateUnitWindow<Probe, OtherProc>(other, PopupArgs(), PopupStyle(""),
                                                   std::unique_ptr<Probe>(new Probe));
    ASSERT_TRUE(hwnd);
    DestroyWindow(hwnd);
  }
  void SetUp() override { g_seen = Seen{}; }
};

TEST_P(OwnClassWindow, AFailedCreationReleasesTheStateOnce) {
  const Case& c = GetParam();
  HWND hwnd;
  {
    RefusingHook hook(c.hookRefuses);
    ASSERT_EQ(hook.Set(), c.hookRefuses);
    hwnd = CreateProbe(c.className, c.refuseAt);
  }
  EXPECT_FALSE(hwnd);
  EXPECT_EQ(g_seen.released, 1);
  EXPECT_EQ(g_seen.creation, c.tookTheState);
  // A window refused after WM_NCCREATE is destroyed: its state was there to
  // its last message.
  if (c.refuseAt == WM_CREATE) {
    EXPECT_TRUE(g_seen.lastMessage);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OwnClassWindow,
    testing::Values(Case{"NcCreateRefused", kProbeClass, WM_NCCREATE, false, true},
                    Case{"CreateAnswersMinusOne", kProbeClass, WM_CREATE, false, true},
                    Case{"HookRefuses", kProbeClass, 0, true, false},
                    // Registration refused: the name is a system control's, or
                    // another unit class's.
                    Case{"NameOfASystemClass", "Edit", 0, false, false},
                    Case{"NameOfAnotherUnitClass", kClaimedClass, 0, false, false}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.what); });

TEST(UnitWindow, AWindowMadeHoldsItsStateToItsLastMessageAndItsText) {
  g_seen = Seen{};
  UnitWindowClass windowClass;
  windowClass.name = kProbeClass;
  std::unique_ptr<Probe> probe(new Probe);
  Probe* held = probe.get();
  const std::string chinese = Gbk("中文");
  HWND hwnd = CreateUnitWindow<Probe, ProbeProc>(windowClass, PopupArgs(),
                                                 PopupStyle(chinese.c_str()), std::move(probe));
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(UnitStateOf<Probe>(hwnd), held);
  EXPECT_EQ(WindowText(hwnd), chinese);
  SetWindowTextA(hwnd, "");
  EXPECT_EQ(WindowText(hwnd), "");
  EXPECT_EQ(WNDPROC(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), (kUnitWindowProc<Probe, ProbeProc>));
  EXPECT_EQ(g_seen.released, 0);
  DestroyWindow(hwnd);
  EXPECT_TRUE(g_seen.lastMessage);
  EXPECT_EQ(g_seen.released, 1);
  // The class stays registered for the next window.
  hwnd = CreateProbe(kProbeClass, 0);
  EXPECT_TRUE(hwnd);
  DestroyWindow(hwnd);
  EXPECT_EQ(g_seen.released, 2);
}

// A class that paints: what it was asked, and what reached its procedure.
struct Painter {
  static void Paint(HWND, Painter& painter, const PaintRequest& request) {
    painter.asked.push_back(request);
  }
  UnitLink link;
  std::vector<PaintRequest> asked;
  bool procedureSawPaint = false;
};

LRESULT PainterProc(HWND hwnd, Painter* painter, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT || message == WM_PRINTCLIENT) painter->procedureSawPaint = true;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(UnitWindow, APaintingClassIsAskedForTheAreaItsContextShows) {
  UnitWindowClass windowClass;
  windowClass.name = "MorvaneUnitWindowPainter";
  std::unique_ptr<Painter> owned(new Painter);
  Painter* painter = owned.get();
  HWND hwnd = CreateUnitWindow<Painter, PainterProc>(windowClass, PopupArgs(), PopupStyle(""),
                                                     std::move(owned));
  ASSERT_TRUE(hwnd);
  ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  ValidateRect(hwnd, nullptr);
  painter->asked.clear();
  const RECT invalid{5, 6, 20, 25};
  InvalidateRect(hwnd, &invalid, FALSE);
  UpdateWindow(hwnd);
  ASSERT_EQ(painter->asked.size(), 1u);
  EXPECT_TRUE(painter->asked[0].onScreen);
  EXPECT_TRUE(EqualRect(&painter->asked[0].area, &invalid));

  // Into a caller's context: the client area as far as the context shows
  // it, and nothing where it shows none of it.
  HDC screen = GetDC(nullptr);
  HDC copy = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 100);
  HGDIOBJ old = SelectObject(copy, bitmap);
  SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(copy), PRF_CLIENT);
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(copy, none);
  SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(copy), PRF_CLIENT);
  ASSERT_EQ(painter->asked.size(), 2u);
  EXPECT_FALSE(painter->asked[1].onScreen);
  EXPECT_EQ(painter->asked[1].dc, copy);
  const RECT shown{0, 0, 40, 30};  // 60 x 30 client, 40 x 100 bitmap
  EXPECT_TRUE(EqualRect(&painter->asked[1].area, &shown));
  EXPECT_FALSE(painter->procedureSawPaint);
  DeleteObject(none);
  SelectObject(copy, old);
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(nullptr, screen);
  DestroyWindow(hwnd);
}

TEST(SystemControl, ASubclassedControlHoldsItsStateToItsLastMessage) {
  g_seen = Seen{};
  std::unique_ptr<Probe> probe(new Probe);
  Probe* held = probe.get();
  HWND hwnd = CreateSystemControl<Probe, ControlProc>("EDIT", PopupArgs(), PopupStyle("abc"),
                                                      std::move(probe));
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(UnitStateOf<Probe>(hwnd), held);
  ASSERT_TRUE(held->systemProc);
  EXPECT_FALSE(g_seen.creation) << "the creation messages are the system's alone";
  // Through the subclass to the system's procedure and back.
  const std::string chinese = Gbk("中文");
  SetWindowTextA(hwnd, chinese.c_str());
  EXPECT_EQ(WindowText(hwnd), chinese);
  DestroyWindow(hwnd);
  EXPECT_TRUE(g_seen.destruction);
  EXPECT_TRUE(g_seen.lastMessage);
  EXPECT_EQ(g_seen.released, 1);
}

TEST(SystemControl, AControlThatCannotBeMadeReleasesTheStateOnce) {
  for (bool hookRefuses : {false, true}) {
    SCOPED_TRACE(hookRefuses ? "a hook refuses" : "no such class");
    g_seen = Seen{};
    RefusingHook hook(hookRefuses);
    ASSERT_EQ(hook.Set(), hookRefuses);
    HWND hwnd = CreateSystemControl<Probe, ControlProc>(hookRefuses ? "EDIT" : "MorvaneNoSuchClass",
                                                        PopupArgs(), PopupStyle(""),
                                                        std::unique_ptr<Probe>(new Probe));
    EXPECT_FALSE(hwnd);
    EXPECT_EQ(g_seen.released, 1);
  }
}

}  // namespace
