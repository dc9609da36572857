#include "installer/cooperative_wait.h"

#include <windows.h>

#include "frame/external_functions.h"
#include "frame/window_services.h"
#include "installer/external_call_sites.h"

namespace {

// The calls of the wait, as the report of an unbalanced stack places them.
constexpr ExternalCallSite kCreateCall{kCooperativeWaitProcedure, 1};
constexpr ExternalCallSite kSetCall{kCooperativeWaitProcedure, 2};
constexpr ExternalCallSite kWaitCall{kCooperativeWaitProcedure, 3};
constexpr ExternalCallSite kCancelCall{kCooperativeWaitProcedure, 4};

// Key, mouse move, mouse button, posted message, timer, paint, sent message
// and hot key: QS_ALLINPUT without the raw-input bit.
constexpr DWORD kWakeMask = 0xFF;

// Without a timer, or when waiting fails, the loop could never see the
// timer fire: the rest of the delay passes as a plain sleep instead, after
// the messages that are waiting have been handled.
void SleepForTheRest(DWORD startTick, int32_t microseconds) {
  ProcessEvents();
  const DWORD wanted = DWORD((int64_t(microseconds) + 999) / 1000);
  const DWORD spent = GetTickCount() - startTick;
  if (spent < wanted) Sleep(wanted - spent);
}

}  // namespace

int64_t CooperativeWaitDueTime(int32_t microseconds) {
  return static_cast<int64_t>(double(microseconds) * -10.0);
}

void CooperativeWait(int32_t microseconds) {
  const DWORD startTick = GetTickCount();
  FARPROC createTimer = ResolveExternalFunction(ExternalFunction::CreateWaitableTimerW);
  FARPROC setTimer = ResolveExternalFunction(ExternalFunction::SetWaitableTimer);
  FARPROC wait = ResolveExternalFunction(ExternalFunction::MsgWaitForMultipleObjects);
  FARPROC cancelTimer = ResolveExternalFunction(ExternalFunction::CancelWaitableTimer);
  if (!createTimer || !setTimer || !wait || !cancelTimer) {
    SleepForTheRest(startTick, microseconds);
    return;
  }
  LARGE_INTEGER dueTime;
  dueTime.QuadPart = CooperativeWaitDueTime(microseconds);
  // No security attributes, auto-reset, no name.
  HANDLE timer = CallExternal<HANDLE>(createTimer, kCreateCall, nullptr, FALSE, nullptr);
  // Once, relative, no completion routine, no resume.
  if (!timer ||
      !CallExternal<BOOL>(setTimer, kSetCall, timer, &dueTime, LONG(0), nullptr, nullptr, FALSE)) {
    if (timer) CloseHandle(timer);
    SleepForTheRest(startTick, microseconds);
    return;
  }
  for (;;) {
    const DWORD result =
        CallExternal<DWORD>(wait, kWaitCall, DWORD(1), &timer, FALSE, INFINITE, kWakeMask);
    if (result == WAIT_OBJECT_0) break;
    if (result != WAIT_OBJECT_0 + 1) {
      SleepForTheRest(startTick, microseconds);
      break;
    }
    // ProcessEvents leaves a quit message where it is, for the main loop; but
    // while it waits, MsgWaitForMultipleObjects would answer at once every
    // time, and the loop would spin for the whole delay. No other look at
    // the queue comes between ProcessEvents and the wait: a message that
    // such a look saw arrive would count as seen, and not wake the wait.
    if (ProcessEvents()) {
      // The program is ending; there is nothing left to serve but the
      // delay itself, which the timer alone measures out.
      WaitForSingleObject(timer, INFINITE);
      break;
    }
  }
  CallExternal<BOOL>(cancelTimer, kCancelCall, timer);
  CloseHandle(timer);
}
