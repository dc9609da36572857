// CooperativeWait: as long as asked, never much longer, and the window keeps
// being served meanwhile.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "frame/external_functions.h"
#include "installer/cooperative_wait.h"

namespace {

constexpr UINT kPing = WM_APP + 1;

struct Served {
  std::atomic<int> paints{0};
  std::atomic<int> pings{0};
  std::atomic<int> moves{0};
} g_served;

LRESULT CALLBACK ServedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      ++g_served.paints;
      return 0;
    }
    case kPing:
      ++g_served.pings;
      return 0;
    case WM_MOUSEMOVE:
      ++g_served.moves;
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return double(to.QuadPart - from.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

double TimedWait(int32_t microseconds) {
  LARGE_INTEGER from, to;
  QueryPerformanceCounter(&from);
  CooperativeWait(microseconds);
  QueryPerformanceCounter(&to);
  return Milliseconds(from, to);
}

// Real mouse input, as a hand on the mouse makes it: moves that Windows
// folds into one WM_MOUSEMOVE while the last one waits.
void MoveMouseOver(HWND hwnd, int step) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const int x = rect.left + 20 + step % 100, y = (rect.top + rect.bottom) / 2;
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = LONG(x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = LONG(y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// Another thread that keeps sending the window work while the wait runs.
struct Feeder {
  HWND target = nullptr;
  UINT message = 0;
  DWORD intervalMs = 1;
  std::atomic<bool> stop{false};
  HANDLE thread = nullptr;

  static DWORD WINAPI Run(void* self) {
    Feeder* feeder = static_cast<Feeder*>(self);
    int step = 0;
    while (!feeder->stop) {
      if (feeder->message == WM_PAINT)
        InvalidateRect(feeder->target, nullptr, FALSE);
      else if (feeder->message == WM_MOUSEMOVE)
        MoveMouseOver(feeder->target, step++);
      else
        PostMessageA(feeder->target, feeder->message, 0, 0);
      Sleep(feeder->intervalMs);
    }
    return 0;
  }
  void Start(HWND hwnd, UINT what, DWORD interval) {
    target = hwnd;
    message = what;
    intervalMs = interval;
    thread = CreateThread(nullptr, 0, Run, this, 0, nullptr);
  }
  void Stop() {
    stop = true;
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
  }
};

class CooperativeWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ServedProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CooperativeWaitTest";
    RegisterClassA(&windowClass);
    hwnd_ = CreateWindowExA(0, "CooperativeWaitTest", "wait", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                            10, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hwnd_);
    CooperativeWait(10000);  // the first call resolves the functions
    g_served.paints = g_served.pings = g_served.moves = 0;
  }
  void TearDown() override {
    FreeExternalFunctions();
    DestroyWindow(hwnd_);
  }
  HWND hwnd_ = nullptr;
};

TEST(CooperativeWaitDueTime, IsTheDelayTimesMinusTenTruncated) {
  EXPECT_EQ(CooperativeWaitDueTime(100000), -1000000);
  EXPECT_EQ(CooperativeWaitDueTime(500000), -5000000);
  EXPECT_EQ(CooperativeWaitDueTime(1), -10);
  EXPECT_EQ(CooperativeWaitDueTime(0), 0);
  EXPECT_EQ(CooperativeWaitDueTime(2147483647), -21474836470LL);
  EXPECT_EQ(CooperativeWaitDueTime(-3), 30);
}

TEST_F(CooperativeWaitTest, LastsAtLeastTheRequestedTime) {
  for (int32_t microseconds : {100000, 30000, 1000}) {
    const double elapsed = TimedWait(microseconds);
    EXPECT_GE(elapsed, microseconds / 1000.0 - 1.0) << microseconds;
    EXPECT_LT(elapsed, microseconds / 1000.0 + 60.0) << microseconds;
  }
}

TEST_F(CooperativeWaitTest, KeepsTheWindowRepaintingAndServed) {
  Feeder painter, pinger;
  painter.Start(hwnd_, WM_PAINT, 5);
  pinger.Start(hwnd_, kPing, 5);
  TimedWait(200000);
  painter.Stop();
  pinger.Stop();
  EXPECT_GE(g_served.paints.load(), 5);
  EXPECT_GE(g_served.pings.load(), 10);
}

TEST_F(CooperativeWaitTest, AStreamOfMouseMovesDoesNotProlongTheWait) {
  Feeder mouse;
  mouse.Start(hwnd_, WM_MOUSEMOVE, 1);
  const double elapsed = TimedWait(100000);
  mouse.Stop();
  EXPECT_GE(g_served.moves.load(), 20);
  EXPECT_GE(elapsed, 99.0);
  EXPECT_LT(elapsed, 160.0);
}

double ThreadCpuMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME time) {
    return double((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

// The last window of a program was closed while it waits: the quit message
// for the main loop lies in the queue, untouched, and the wait still lasts
// its time without spinning on the queue that never empties.
TEST_F(CooperativeWaitTest, AWaitingQuitMessageStaysAndIsNotSpunOn) {
  PostMessageA(hwnd_, kPing, 0, 0);
  PostQuitMessage(7);
  const double cpuBefore = ThreadCpuMilliseconds();
  const double elapsed = TimedWait(300000);
  const double cpu = ThreadCpuMilliseconds() - cpuBefore;
  EXPECT_GE(elapsed, 299.0);
  // A thread that sleeps uses next to nothing, under any load; one that
  // spins uses what it is given.
  EXPECT_LT(cpu, elapsed / 2) << "elapsed " << elapsed << " ms";
  EXPECT_EQ(g_served.pings.load(), 1) << "what came before the quit was handled";
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, UINT(WM_QUIT));
  EXPECT_EQ(message.wParam, WPARAM(7));
}

HANDLE WINAPI NoTimer(LPSECURITY_ATTRIBUTES, BOOL, LPCSTR) { return nullptr; }
DWORD WINAPI FailingWait(DWORD, const HANDLE*, BOOL, DWORD, DWORD) { return WAIT_FAILED; }

TEST_F(CooperativeWaitTest, WithoutATimerOrAWorkingWaitItSleepsInstead) {
  OverrideExternalFunction(ExternalFunction::CreateWaitableTimerA,
                           reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&NoTimer)));
  double elapsed = TimedWait(50000);
  EXPECT_GE(elapsed, 49.0);
  EXPECT_LT(elapsed, 500.0);
  FreeExternalFunctions();
  OverrideExternalFunction(ExternalFunction::MsgWaitForMultipleObjects,
                           reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FailingWait)));
  PostMessageA(hwnd_, kPing, 0, 0);
  elapsed = TimedWait(50000);
  EXPECT_GE(elapsed, 49.0);
  EXPECT_LT(elapsed, 500.0);
  EXPECT_EQ(g_served.pings.load(), 1) << "what was waiting was still handled";
}

}  // namespace
