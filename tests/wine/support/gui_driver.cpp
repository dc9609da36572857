#include "support/gui_driver.h"

#include <tlhelp32.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "support/test_text.h"

namespace {

BOOL CALLBACK Collect(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

HWND FindTopWindow(DWORD processId, const char* caption) {
  for (HWND hwnd : VisibleTopWindows(processId)) {
    wchar_t text[256] = {};
    if (caption) GetWindowTextW(hwnd, text, 256);
    if (!caption || Cp936Of(text) == caption) return hwnd;
  }
  return nullptr;
}

// How long a window of another process may take to answer for its text.
constexpr UINT kTextAnswerMs = 5000;

// The windows that mouse input at `at` reaches: the window that holds the
// capture (a unit tracking the pointer, a window being moved), if any, and
// the window under the point.
struct MouseTargets {
  HWND capture = nullptr;
  HWND under = nullptr;
};

MouseTargets MouseTargetsAt(POINT at) {
  MouseTargets targets;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(0, &info)) targets.capture = info.hwndCapture;
  if (!targets.capture) targets.capture = GetCapture();  // a window of this thread
  targets.under = WindowFromPoint(at);
  return targets;
}

// Sends mouse input at `at` and lets the windows it reaches take it in; taken
// before the input, they are the ones it reaches even when it moves or
// closes them.
void MouseAt(DWORD flags, POINT at, int wheel = 0) {
  const MouseTargets targets = MouseTargetsAt(at);
  SendMouse(flags, at, wheel);
  if (targets.capture) Synchronise(targets.capture);
  if (targets.under) Synchronise(targets.under);
}

// Two presses at one place within the double-click time make a double click.
// Nothing on the screen tells when Windows will take a press as a new click,
// only the clock: a press close to the last one waits out what is left of
// that time.
struct LastPress {
  bool any = false;
  POINT at{};
  DWORD tick = 0;  // read after the press was sent: never before its own time
};
LastPress g_lastPress;

void WaitOutDoubleClick(POINT at) {
  const DWORD needed = GetDoubleClickTime() + 1;
  const DWORD since = GetTickCount() - g_lastPress.tick;
  if (g_lastPress.any && std::abs(at.x - g_lastPress.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(at.y - g_lastPress.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) && since < needed)
    Sleep(needed - since);
}

void PressAt(DWORD buttonDown, POINT at) {
  MouseAt(0, at);
  WaitOutDoubleClick(at);
  MouseAt(buttonDown, at);
  g_lastPress = LastPress{true, at, GetTickCount()};
}

// The key input goes to the foreground window's thread.
void SendKeys(INPUT* keys, UINT count) {
  HWND target = GetForegroundWindow();
  SendInput(count, keys, sizeof keys[0]);
  if (target) Synchronise(target);
}

INPUT Key(WORD virtualKey, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = flags;
  return input;
}

POINT CentreOf(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

std::vector<HWND> VisibleTopWindows(DWORD processId) {
  std::vector<HWND> all, shown;
  EnumWindows(Collect, LPARAM(&all));
  for (HWND hwnd : all) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if ((!processId || owner == processId) && IsWindowVisible(hwnd)) shown.push_back(hwnd);
  }
  return shown;
}

RunningProgram StartProgram(const std::string& commandLine) {
  return StartProgram(WideOf(commandLine));
}

RunningProgram StartProgram(std::wstring commandLine, bool inheritHandles) {
  RunningProgram program;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  program.started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, inheritHandles, 0,
                                   nullptr, nullptr, &startup, &program.process) != FALSE;
  return program;
}

std::vector<DWORD> ChildProcessIds(DWORD parentId) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return children;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId)
      children.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return children;
}

ProgramsToEnd::~ProgramsToEnd() {
  for (HANDLE process : processes_)
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 99);
}

double ProcessCpuMilliseconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ticks = [](FILETIME time) {
    return double((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  };
  return (ticks(kernel) + ticks(user)) / 10000.0;
}

double NowMilliseconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool WaitForExit(RunningProgram* program, DWORD timeoutMs, DWORD* exitCode) {
  if (!program->started) return false;
  if (WaitForSingleObject(program->process.hProcess, timeoutMs) != WAIT_OBJECT_0) {
    TerminateProcess(program->process.hProcess, 99);
    WaitForSingleObject(program->process.hProcess, 5000);
    return false;
  }
  GetExitCodeProcess(program->process.hProcess, exitCode);
  return true;
}

bool IsRunning(const RunningProgram& program) {
  return program.started && WaitForSingleObject(program.process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND WaitForTopWindow(const RunningProgram& program, const char* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindTopWindow(program.process.dwProcessId, caption);
        return found || !IsRunning(program);
      },
      timeoutMs);
  return found;
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string WindowTextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextAnswerMs, &length))
    return "";
  std::vector<wchar_t> text(size_t(length) + 1, L'\0');
  SendMessageTimeoutW(hwnd, WM_GETTEXT, WPARAM(text.size()), LPARAM(text.data()), SMTO_ABORTIFHUNG,
                      kTextAnswerMs, nullptr);
  return Cp936Of(text.data());
}

bool IsMessageBox(HWND hwnd) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  return lstrcmpW(name, L"#32770") == 0;
}

bool FindMessageBox(const BoxWanted& wanted, MessageBoxSeen* seen) {
  for (HWND box : VisibleTopWindows(wanted.processId)) {
    if (box == wanted.except || !IsMessageBox(box)) continue;
    // The text is in the static control that message boxes number 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text) continue;
    const std::string caption = WindowTextOf(box);
    if (wanted.caption && caption != wanted.caption) continue;
    seen->box = box;
    GetWindowThreadProcessId(box, &seen->processId);
    seen->caption = caption;
    seen->text = WindowTextOf(text);
    return true;
  }
  return false;
}

bool WaitForMessageBox(const RunningProgram& program, DWORD timeoutMs, MessageBoxSeen* seen) {
  BoxWanted wanted;
  wanted.processId = program.process.dwProcessId;
  bool found = false;
  WaitUntil(
      [&] {
        found = FindMessageBox(wanted, seen);
        return found || !IsRunning(program);
      },
      timeoutMs);
  return found;
}

bool WaitForMessageBox(const BoxWanted& wanted, DWORD timeoutMs, MessageBoxSeen* seen) {
  return WaitUntil([&] { return FindMessageBox(wanted, seen); }, timeoutMs);
}

bool ClickBoxButton(const MessageBoxSeen& seen, int buttonId) {
  HWND button = GetDlgItem(seen.box, buttonId);
  if (!button) return false;
  // A click on another window may have put the box behind it.
  BringToFront(seen.box);
  ClickWindow(button);
  return true;
}

bool AnswerBox(const MessageBoxSeen& seen, int buttonId, DWORD timeoutMs) {
  return ClickBoxButton(seen, buttonId) && WaitUntilGone(seen.box, timeoutMs);
}

bool BringToFront(HWND hwnd) {
  SetForegroundWindow(hwnd);
  return WaitUntil([&] { return GetForegroundWindow() == hwnd; }) && Synchronise(hwnd);
}

POINT OnScreen(HWND hwnd, int x, int y) {
  POINT point{x, y};
  ClientToScreen(hwnd, &point);
  return point;
}

void MoveMouseTo(int x, int y) { MouseAt(0, POINT{x, y}); }

void ClickAt(int x, int y) {
  const POINT at{x, y};
  PressAt(MOUSEEVENTF_LEFTDOWN, at);
  MouseAt(MOUSEEVENTF_LEFTUP, at);
}

void PressLeftAt(int x, int y) { PressAt(MOUSEEVENTF_LEFTDOWN, POINT{x, y}); }

void ReleaseLeftAt(int x, int y) {
  MouseAt(0, POINT{x, y});
  MouseAt(MOUSEEVENTF_LEFTUP, POINT{x, y});
}

void PressKey(WORD virtualKey, WORD modifier) {
  INPUT keys[4];
  UINT count = 0;
  if (modifier) keys[count++] = Key(modifier, 0);
  keys[count++] = Key(virtualKey, 0);
  keys[count++] = Key(virtualKey, KEYEVENTF_KEYUP);
  if (modifier) keys[count++] = Key(modifier, KEYEVENTF_KEYUP);
  SendKeys(keys, count);
}

void TypeCharacter(wchar_t character) {
  INPUT keys[2] = {Key(0, KEYEVENTF_UNICODE), Key(0, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
  keys[0].ki.wScan = keys[1].ki.wScan = WORD(character);
  SendKeys(keys, 2);
}

void TurnWheel(int x, int y, int delta, WORD modifier) {
  const POINT at{x, y};
  MouseAt(0, at);
  INPUT key = Key(modifier, 0);
  if (modifier) SendKeys(&key, 1);
  MouseAt(MOUSEEVENTF_WHEEL, at, delta);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  if (modifier) SendKeys(&key, 1);
}

void RightClickWindow(HWND hwnd) {
  const POINT at = CentreOf(hwnd);
  PressAt(MOUSEEVENTF_RIGHTDOWN, at);
  MouseAt(MOUSEEVENTF_RIGHTUP, at);
}

void ClickWindow(HWND hwnd) {
  const POINT at = CentreOf(hwnd);
  ClickAt(at.x, at.y);
}

namespace {

constexpr int kDragSteps = 8;

POINT DragStep(POINT from, int dx, int dy, int step) {
  return POINT{from.x + dx * step / kDragSteps, from.y + dy * step / kDragSteps};
}

bool WaitUntilMovedBy(HWND window, const RECT& before, int dx, int dy) {
  return WaitUntil([&] {
    RECT now{};
    GetWindowRect(window, &now);
    return now.left == before.left + dx && now.top == before.top + dy;
  });
}

}  // namespace

bool DragWindow(HWND window, POINT from, int dx, int dy) {
  RECT before{};
  GetWindowRect(window, &before);
  PressAt(MOUSEEVENTF_LEFTDOWN, from);
  for (int step = 1; step <= kDragSteps; ++step) MouseAt(0, DragStep(from, dx, dy, step));
  MouseAt(MOUSEEVENTF_LEFTUP, DragStep(from, dx, dy, kDragSteps));
  return WaitUntilMovedBy(window, before, dx, dy);
}

bool DragWindowPastItsThread(HWND window, POINT from, int dx, int dy) {
  RECT before{};
  GetWindowRect(window, &before);
  MoveMouseTo(from.x, from.y);
  HANDLE thread =
      OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
  if (!thread) return false;
  const bool held = SuspendThread(thread) != DWORD(-1);
  // Nothing here waits for the window: its thread takes no message until
  // the button is up again.
  WaitOutDoubleClick(from);
  SendMouse(MOUSEEVENTF_LEFTDOWN, from);
  g_lastPress = LastPress{true, from, GetTickCount()};
  for (int step = 1; step <= kDragSteps; ++step) SendMouse(0, DragStep(from, dx, dy, step));
  SendMouse(MOUSEEVENTF_LEFTUP, DragStep(from, dx, dy, kDragSteps));
  if (held) ResumeThread(thread);
  CloseHandle(thread);
  return held && WaitUntilMovedBy(window, before, dx, dy);
}

void MoveAside(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Synchronise(hwnd);
}

COLORREF ScreenPixelOnceItIs(POINT at, COLORREF expected) {
  COLORREF pixel = CLR_INVALID;
  WaitUntil([&] {
    HDC screen = GetDC(nullptr);
    pixel = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return pixel == expected;
  });
  return pixel;
}
