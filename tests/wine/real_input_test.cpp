// What the drivers rest on: Synchronise returns only once the window's
// thread has handled everything posted to it before, even messages that
// take long and messages that post more, and it answers for a thread that
// has no window on the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "support/real_input.h"

namespace {

// The first message holds its thread, still taking sent messages, until
// WM_NULL has come: the answer to it then comes before all that is posted.
constexpr UINT kHold = WM_APP + 1;
constexpr UINT kStep = WM_APP + 2;  // wParam: how many more it posts after it
constexpr int kSteps = 5;

std::atomic<bool> g_sawNull{false};
std::atomic<int> g_handled{0};

void HoldUntilWmNull() {
  const DWORD start = GetTickCount();
  while (!g_sawNull && GetTickCount() - start < kGiveUpMs) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kGiveUpMs, QS_SENDMESSAGE);
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

LRESULT CALLBACK StepProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NULL:
      g_sawNull = true;
      return 0;
    case kHold:
      HoldUntilWmNull();
      ++g_handled;
      return 0;
    case kStep:
      ++g_handled;
      if (wParam > 0) PostMessageA(hwnd, kStep, wParam - 1, 0);
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A window of its own thread, shown or not.
struct WindowThread {
  bool shown = true;
  HWND hwnd = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD threadId = 0;
  HANDLE thread = nullptr;

  static DWORD WINAPI Run(void* self) {
    WindowThread* owner = static_cast<WindowThread*>(self);
    owner->hwnd = CreateWindowExA(WS_EX_TOPMOST, "MorvaneSyncTest", "sync",
                                  WS_POPUP | (owner->shown ? WS_VISIBLE : 0), 50, 50, 60, 40,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetEvent(owner->ready);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    if (owner->hwnd) DestroyWindow(owner->hwnd);
    return 0;
  }
  explicit WindowThread(bool visible) : shown(visible) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StepProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MorvaneSyncTest";
    RegisterClassA(&windowClass);
    thread = CreateThread(nullptr, 0, Run, this, 0, &threadId);
    WaitForSingleObject(ready, kGiveUpMs);
  }
  ~WindowThread() {
    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, kGiveUpMs);
    CloseHandle(thread);
    CloseHandle(ready);
  }
};

TEST(Synchronise, ReturnsOnceEverythingPostedBeforeIsHandled) {
  for (bool shown : {true, false}) {
    WindowThread window(shown);
    ASSERT_TRUE(window.hwnd);
    g_sawNull = false;
    g_handled = 0;
    // Posted one by one, and a chain that posts the next as it goes.
    PostMessageA(window.hwnd, kHold, 0, 0);
    for (int i = 0; i < kSteps; ++i) PostMessageA(window.hwnd, kStep, 0, 0);
    PostMessageA(window.hwnd, kStep, kSteps - 1, 0);
    ASSERT_TRUE(Synchronise(window.hwnd));
    EXPECT_TRUE(g_sawNull);
    // Without a window on the screen nothing paints: only the answer to the
    // sent message, which comes before what is posted, is there to wait for.
    if (shown) {
      EXPECT_EQ(g_handled.load(), 1 + 2 * kSteps);
    }
    EXPECT_TRUE(WaitUntil([] { return g_handled.load() == 1 + 2 * kSteps; }));
  }
  EXPECT_TRUE(Synchronise(nullptr)) << "no window, nothing to wait for";
}

}  // namespace
