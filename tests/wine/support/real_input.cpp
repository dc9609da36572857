#include "support/real_input.h"

namespace {

constexpr DWORD kWaitStepMs = 10;

struct PaintSearch {
  DWORD thread = 0;
  HWND shown = nullptr;  // a visible window of the thread with a client area
  bool unpainted = false;
};

bool IsShown(HWND hwnd) {
  RECT client{};
  return IsWindowVisible(hwnd) && !IsIconic(hwnd) && GetClientRect(hwnd, &client) &&
         client.right > 0 && client.bottom > 0;
}

BOOL CALLBACK FindUnpaintedChild(HWND child, LPARAM lParam) {
  PaintSearch* search = reinterpret_cast<PaintSearch*>(lParam);
  if (GetWindowThreadProcessId(child, nullptr) != search->thread || !IsWindowVisible(child))
    return TRUE;
  search->unpainted = GetUpdateRect(child, nullptr, FALSE) != FALSE;
  return !search->unpainted;
}

BOOL CALLBACK FindUnpaintedTop(HWND hwnd, LPARAM lParam) {
  PaintSearch* search = reinterpret_cast<PaintSearch*>(lParam);
  if (!IsShown(hwnd)) return TRUE;
  if (!search->shown) search->shown = hwnd;
  search->unpainted = GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
  if (!search->unpainted) EnumChildWindows(hwnd, FindUnpaintedChild, lParam);
  return !search->unpainted;
}

// Whether a shown window of the thread, or a child of one, waits to be
// painted; and which window of the thread is shown.
PaintSearch LookForPainting(DWORD thread) {
  PaintSearch search;
  search.thread = thread;
  EnumThreadWindows(thread, FindUnpaintedTop, LPARAM(&search));
  return search;
}

}  // namespace

void SendMouse(DWORD flags, POINT at, int wheel) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates run from 0 to 65535 across the screen.
  input.mi.dx = LONG((at.x * 65535 + width / 2) / (width - 1));
  input.mi.dy = LONG((at.y * 65535 + height / 2) / (height - 1));
  input.mi.mouseData = DWORD(wheel);
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

// A thread takes its messages in a fixed order: sent messages, then posted
// ones, then input, and WM_PAINT only when none of those is left. The answer
// to WM_NULL says the thread is back at its queue (no handler still busy);
// a pixel made invalid after it, once painted, says that everything posted
// and input before was handled, and what it changed painted too.
bool Synchronise(HWND window) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!thread) return true;
  if (thread == GetCurrentThreadId()) return DispatchUntilIdle();
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &answer))
    return !IsWindow(window);
  HWND root = GetAncestor(window, GA_ROOT);
  if (!root || !IsShown(root)) root = LookForPainting(thread).shown;
  // A thread without a window on the screen paints nothing: the answer is
  // all there is to wait for.
  if (!root) return true;
  // On every window under the pixel: a window that clips its children keeps
  // none of what lies under one.
  const RECT pixel{0, 0, 1, 1};
  RedrawWindow(root, &pixel, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return WaitUntil([&] { return !LookForPainting(thread).unpainted; });
}

// PeekMessage answers WM_PAINT while a window of the thread needs painting,
// and WM_TIMER for a timer that is due: once it answers nothing, nothing is
// left to do.
bool DispatchUntilIdle() {
  const DWORD start = GetTickCount();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
    if (GetTickCount() - start >= kGiveUpMs) return false;
  }
  return true;
}

void WaitStep() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitStepMs, QS_ALLINPUT);
}
