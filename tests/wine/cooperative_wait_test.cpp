// CooperativeWait: never shorter than asked, the window served meanwhile,
// and the end of the wait not held up by input that keeps coming.
//
// Nothing here depends on how fast the machine is. Where the wait must end
// after some work was served, a stand-in timer (an event put in place of the
// kernel timer through the external-function table) is fired by the window
// itself once that work is done, so the outcome is decided by order, not by
// the clock. The real timer is checked for lower bounds only. How long the
// waits take is measured by the benchmark, not here.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>

#include "frame/external_functions.h"
#include "installer/cooperative_wait.h"
#include "installer/external_call_sites.h"
#include "support/real_input.h"

namespace {

constexpr UINT kPing = WM_APP + 1;
constexpr UINT kSentPing = WM_APP + 2;

// The stand-in timer: an event that the test fires, and what the wait
// asked of the timer functions.
struct StandInTimer {
  HANDLE event = nullptr;
  int creations = 0;
  BOOL manualReset = TRUE;
  bool named = true;
  int sets = 0;
  LONGLONG dueTime = 0;
  LONG period = -1;
  BOOL resume = TRUE;
  HANDLE setHandle = nullptr;
  HANDLE cancelledHandle = nullptr;
  int cancelsBeforeSet = 0;
} g_timer;

HANDLE WINAPI CreateStandInTimer(LPSECURITY_ATTRIBUTES, BOOL manualReset, LPCSTR name) {
  ++g_timer.creations;
  g_timer.manualReset = manualReset;
  g_timer.named = name != nullptr;
  // Auto-reset, as the timer asked for: a wait that sees it fire consumes it.
  g_timer.event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  return g_timer.event;
}

BOOL WINAPI SetStandInTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period,
                            PTIMERAPCROUTINE, LPVOID, BOOL resume) {
  ++g_timer.sets;
  g_timer.setHandle = timer;
  g_timer.dueTime = dueTime->QuadPart;
  g_timer.period = period;
  g_timer.resume = resume;
  // Setting a timer makes it non-signalled, as SetWaitableTimer does: a wait
  // that set its timer again on every message would never see it fire.
  ResetEvent(timer);
  return TRUE;
}

BOOL WINAPI CancelStandInTimer(HANDLE timer) {
  if (g_timer.sets == 0) ++g_timer.cancelsBeforeSet;
  g_timer.cancelledHandle = timer;
  return TRUE;
}

void FireStandInTimer() { SetEvent(g_timer.event); }

FARPROC AsFarProc(void (*function)()) { return reinterpret_cast<FARPROC>(function); }

template <typename Fn>
FARPROC AsFarProc(Fn function) {
  return AsFarProc(reinterpret_cast<void (*)()>(function));
}

void UseStandInTimer() {
  g_timer = StandInTimer();
  OverrideExternalFunction(ExternalFunction::CreateWaitableTimerW, AsFarProc(&CreateStandInTimer));
  OverrideExternalFunction(ExternalFunction::SetWaitableTimer, AsFarProc(&SetStandInTimer));
  OverrideExternalFunction(ExternalFunction::CancelWaitableTimer, AsFarProc(&CancelStandInTimer));
}

// What the test window was served, and when the stand-in timer fires.
struct Served {
  std::atomic<int> paints{0};
  std::atomic<int> pings{0};
  std::atomic<int> sentPings{0};
  std::atomic<int> moves{0};
  // The stand-in timer fires when the window has been served this many
  // pings, or this many mouse moves (0: never on this count).
  int firePings = 0;
  int fireMoves = 0;
  // Set by a ping the window handles: the feeder posts or sends the next.
  HANDLE nextPingWanted = nullptr;
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
    case kSentPing: {
      const int pings = ++g_served.pings;
      if (message == kSentPing) ++g_served.sentPings;
      if (pings == g_served.firePings) {
        FireStandInTimer();
      } else if (g_served.nextPingWanted) {
        SetEvent(g_served.nextPingWanted);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (++g_served.moves == g_served.fireMoves) FireStandInTimer();
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
  SendMouse(0, POINT{rect.left + 20 + step % 100, (rect.top + rect.bottom) / 2});
}

// Another thread that feeds the window while the wait runs: a stream of
// mouse moves until stopped, or the next ping each time the window asks for
// one (posted and sent in turn, so that both kinds of message wake the
// wait). A feeder still running after kGiveUpMs fires the stand-in timer
// itself and says so: the wait did not end as it should have.
struct Feeder {
  enum class Kind { MouseMoves, Pings };
  HWND target = nullptr;
  Kind kind = Kind::MouseMoves;
  std::atomic<bool> stop{false};
  std::atomic<bool> gaveUp{false};
  std::atomic<int> fed{0};
  HANDLE thread = nullptr;

  static DWORD WINAPI Run(void* self) {
    Feeder* feeder = static_cast<Feeder*>(self);
    const DWORD start = GetTickCount();
    while (!feeder->stop) {
      if (GetTickCount() - start > kGiveUpMs) {
        feeder->gaveUp = true;
        FireStandInTimer();
        break;
      }
      if (feeder->kind == Kind::MouseMoves) {
        MoveMouseOver(feeder->target, feeder->fed++);
        // A stream at a hand's pace, for the wait to serve while it runs:
        // it is the wait that is watched, nothing to wait for here.
        Sleep(1);
      } else if (WaitForSingleObject(g_served.nextPingWanted, 100) == WAIT_OBJECT_0) {
        if (feeder->fed++ % 2 == 0)
          PostMessageA(feeder->target, kPing, 0, 0);
        else
          SendMessageTimeoutA(feeder->target, kSentPing, 0, 0, SMTO_NORMAL, kGiveUpMs, nullptr);
      }
    }
    return 0;
  }
  void Start(HWND hwnd, Kind what) {
    target = hwnd;
    kind = what;
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
    g_served.paints = g_served.pings = g_served.sentPings = g_served.moves = 0;
    g_served.firePings = g_served.fireMoves = 0;
    g_served.nextPingWanted = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  }
  void TearDown() override {
    FreeExternalFunctions();
    DestroyWindow(hwnd_);
    CloseHandle(g_served.nextPingWanted);
    g_served.nextPingWanted = nullptr;
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

// The kernel timer is relative and set once: however busy the machine, the
// wait never ends early.
TEST_F(CooperativeWaitTest, LastsAtLeastTheRequestedTime) {
  for (int32_t microseconds : {100000, 30000, 1000}) {
    // A millisecond for the two clocks' different ticks.
    EXPECT_GE(TimedWait(microseconds), microseconds / 1000.0 - 1.0) << microseconds;
  }
}

// Messages posted and sent from another thread while the wait runs, each
// asked for only once the one before was handled, then a paint: the wait ends
// only when the window fires the stand-in timer after the last of them, so
// every one of them was served by the wait, which then ended on the timer.
TEST_F(CooperativeWaitTest, ServesPostedSentAndPaintMessagesUntilTheTimerFires) {
  constexpr int kPings = 6;
  UseStandInTimer();
  g_served.firePings = kPings;
  Feeder feeder;
  feeder.Start(hwnd_, Feeder::Kind::Pings);
  InvalidateRect(hwnd_, nullptr, FALSE);
  PostMessageA(hwnd_, kPing, 0, 0);
  CooperativeWait(100000);
  const bool gaveUp = feeder.gaveUp;
  feeder.Stop();

  EXPECT_FALSE(gaveUp) << "the wait did not serve the messages that arrived";
  EXPECT_EQ(g_served.pings.load(), kPings);
  EXPECT_GE(g_served.sentPings.load(), 1);
  EXPECT_GE(g_served.paints.load(), 1);
  // One timer, unnamed and auto-reset, set once with a relative due time of
  // 0.1 s and no period, then cancelled.
  EXPECT_EQ(g_timer.creations, 1);
  EXPECT_FALSE(g_timer.manualReset);
  EXPECT_FALSE(g_timer.named);
  EXPECT_EQ(g_timer.sets, 1);
  EXPECT_EQ(g_timer.setHandle, g_timer.event);
  EXPECT_EQ(g_timer.dueTime, -1000000);
  EXPECT_EQ(g_timer.period, 0);
  EXPECT_FALSE(g_timer.resume);
  EXPECT_EQ(g_timer.cancelledHandle, g_timer.event);
  EXPECT_EQ(g_timer.cancelsBeforeSet, 0);
}

// A steady stream of mouse moves does not keep the wait going: once the timer
// has fired, the wait ends while the moves are still coming.
TEST_F(CooperativeWaitTest, AStreamOfMouseMovesDoesNotHoldUpTheEnd) {
  constexpr int kMoves = 3;
  UseStandInTimer();
  g_served.fireMoves = kMoves;
  Feeder mouse;
  mouse.Start(hwnd_, Feeder::Kind::MouseMoves);
  CooperativeWait(100000);
  // The stream only stops on its own after kGiveUpMs: until then it was
  // still running.
  const bool gaveUp = mouse.gaveUp;
  mouse.Stop();

  EXPECT_FALSE(gaveUp) << "the wait went on while the mouse moved";
  EXPECT_GE(g_served.moves.load(), kMoves);
}

// The same with the kernel timer: no shorter than asked, and over although
// the stream goes on. (Whether the moves were served is the test above: with
// the kernel timer, a thread held off the processor for the whole delay finds
// the timer already fired and rightly stops at once.)
TEST_F(CooperativeWaitTest, WithTheKernelTimerAStreamOfMouseMovesDoesNotHoldUpTheEnd) {
  Feeder mouse;
  mouse.Start(hwnd_, Feeder::Kind::MouseMoves);
  const double elapsed = TimedWait(100000);
  const bool gaveUp = mouse.gaveUp;
  mouse.Stop();

  EXPECT_FALSE(gaveUp) << "the wait went on while the mouse moved";
  EXPECT_GE(elapsed, 99.0);
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
  OverrideExternalFunction(ExternalFunction::CreateWaitableTimerW, AsFarProc(&NoTimer));
  PostMessageA(hwnd_, kPing, 0, 0);
  EXPECT_GE(TimedWait(50000), 49.0);
  EXPECT_EQ(g_served.pings.load(), 1) << "what was waiting was still handled";

  FreeExternalFunctions();
  OverrideExternalFunction(ExternalFunction::MsgWaitForMultipleObjects, AsFarProc(&FailingWait));
  PostMessageA(hwnd_, kPing, 0, 0);
  EXPECT_GE(TimedWait(50000), 49.0);
  EXPECT_EQ(g_served.pings.load(), 2) << "what was waiting was still handled";
}

struct StackReport {
  int count = 0;
  int32_t code = -1;
  int32_t procedure = -1;
  int32_t position = -1;
} g_stackReport;

void RecordStackReport(const Text&, int32_t code, int32_t procedure, int32_t position) {
  g_stackReport = StackReport{g_stackReport.count + 1, code, procedure, position};
}

// Declared as the wait calls them, but each taking one word more, or one
// less, than it is given: stdcall functions pop what they take.
BOOL WINAPI CancelTakingTwo(HANDLE, void*) { return TRUE; }
HANDLE WINAPI CreateTakingTwo(LPSECURITY_ATTRIBUTES security, BOOL manualReset) {
  return CreateStandInTimer(security, manualReset, nullptr);
}

// Every call of the wait goes through the stack check: a timer function that
// takes another number of arguments than the wait gives it is run-time error
// 6 at the place of that call in the wait (on 32-bit Windows; x86_64 has
// nothing to compare). The wait, given back its stack, still ends.
TEST_F(CooperativeWaitTest, ATimerFunctionThatTakesOtherArgumentsIsRunTimeError6) {
  const struct {
    ExternalFunction which;
    FARPROC function;
    int32_t position;
  } cases[] = {
      {ExternalFunction::CreateWaitableTimerW, AsFarProc(&CreateTakingTwo), 1},
      {ExternalFunction::CancelWaitableTimer, AsFarProc(&CancelTakingTwo), 4},
  };
  SetExternalFunctionReport(RecordStackReport);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    UseStandInTimer();
    OverrideExternalFunction(c.which, c.function);
    g_stackReport = StackReport();
    g_served.pings = 0;
    g_served.firePings = 1;
    PostMessageA(hwnd_, kPing, 0, 0);  // fires the stand-in timer
    CooperativeWait(100000);
    EXPECT_EQ(g_served.pings.load(), 1);
    if (sizeof(void*) != 4) {
      EXPECT_EQ(g_stackReport.count, 0);
      continue;
    }
    EXPECT_EQ(g_stackReport.count, 1);
    EXPECT_EQ(g_stackReport.code, 6);
    EXPECT_EQ(g_stackReport.procedure, kCooperativeWaitProcedure);
    EXPECT_EQ(g_stackReport.position, c.position);
  }
  SetExternalFunctionReport(nullptr);
}

}  // namespace
