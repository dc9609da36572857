#include "tests/wine/frame/gui_driver.h"

#include <vector>

namespace {

struct Search {
  DWORD processId = 0;
  const char* caption = nullptr;
  const char* className = nullptr;
  HWND found = nullptr;
};

BOOL CALLBACK FindInProcess(HWND hwnd, LPARAM lParam) {
  Search* search = reinterpret_cast<Search*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !IsWindowVisible(hwnd)) return TRUE;
  char text[256] = {};
  if (search->className) {
    GetClassNameA(hwnd, text, sizeof text);
    if (lstrcmpA(text, search->className) != 0) return TRUE;
  }
  if (search->caption) {
    GetWindowTextA(hwnd, text, sizeof text);
    if (lstrcmpA(text, search->caption) != 0) return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

HWND FindTopWindow(DWORD processId, const char* caption, const char* className) {
  Search search{processId, caption, className, nullptr};
  EnumWindows(FindInProcess, LPARAM(&search));
  return search.found;
}

std::string TextOf(HWND hwnd) {
  // WM_GETTEXT crosses the process boundary with its buffer marshalled.
  int length = GetWindowTextLengthA(hwnd);
  std::vector<char> text(size_t(length) + 2, '\0');
  GetWindowTextA(hwnd, text.data(), length + 1);
  return std::string(text.data());
}

void SendMouse(DWORD flags, int x, int y, int wheel = 0) {
  INPUT input{};
  input.mi.mouseData = DWORD(wheel);
  input.type = INPUT_MOUSE;
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  input.mi.dx = LONG((x * 65535 + width / 2) / (width - 1));
  input.mi.dy = LONG((y * 65535 + height / 2) / (height - 1));
  input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
}

}  // namespace

RunningProgram StartProgram(const std::string& commandLine) {
  RunningProgram program;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  program.started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &program.process) != FALSE;
  return program;
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
  const DWORD start = GetTickCount();
  do {
    if (HWND found = FindTopWindow(program.process.dwProcessId, caption, nullptr)) return found;
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs && IsRunning(program));
  return nullptr;
}

bool WaitForMessageBox(const RunningProgram& program, DWORD timeoutMs, MessageBoxSeen* seen) {
  const DWORD start = GetTickCount();
  do {
    if (HWND box = FindTopWindow(program.process.dwProcessId, nullptr, "#32770")) {
      // The text is in the static control that message boxes number 0xFFFF.
      HWND text = GetDlgItem(box, 0xFFFF);
      if (text) {
        seen->box = box;
        seen->caption = TextOf(box);
        seen->text = TextOf(text);
        return true;
      }
    }
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs && IsRunning(program));
  return false;
}

bool ClickBoxButton(const MessageBoxSeen& seen, int buttonId) {
  HWND button = GetDlgItem(seen.box, buttonId);
  if (!button) return false;
  // A click on another window may have put the box behind it.
  SetForegroundWindow(seen.box);
  Sleep(100);
  ClickWindow(button);
  return true;
}

void MoveMouseTo(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(200);
}

void ClickAt(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(60);
  // Each with its position: a move that got lost must not put the press
  // somewhere else.
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, x, y);
  Sleep(60);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, x, y);
  // Apart by more than the double-click time, so that two clicks stay two.
  Sleep(GetDoubleClickTime() + 50);
}

void PressLeftAt(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(60);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN, x, y);
  Sleep(60);
}

void ReleaseLeftAt(int x, int y) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(60);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP, x, y);
  Sleep(60);
}

void PressKey(WORD virtualKey, WORD modifier) {
  INPUT input[4] = {};
  UINT count = 0;
  auto key = [&](WORD vk, DWORD flags) {
    input[count].type = INPUT_KEYBOARD;
    input[count].ki.wVk = vk;
    input[count].ki.dwFlags = flags;
    ++count;
  };
  if (modifier) key(modifier, 0);
  key(virtualKey, 0);
  key(virtualKey, KEYEVENTF_KEYUP);
  if (modifier) key(modifier, KEYEVENTF_KEYUP);
  SendInput(count, input, sizeof input[0]);
  Sleep(100);
}

void TurnWheel(int x, int y, int delta, WORD modifier) {
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(60);
  INPUT key{};
  key.type = INPUT_KEYBOARD;
  key.ki.wVk = modifier;
  if (modifier) SendInput(1, &key, sizeof key);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_WHEEL, x, y, delta);
  key.ki.dwFlags = KEYEVENTF_KEYUP;
  if (modifier) SendInput(1, &key, sizeof key);
  Sleep(100);
}

void RightClickWindow(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  SendMouse(MOUSEEVENTF_MOVE, x, y);
  Sleep(60);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTDOWN, x, y);
  Sleep(60);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_RIGHTUP, x, y);
  Sleep(GetDoubleClickTime() + 50);
}

void ClickWindow(HWND hwnd) {
  RECT rect{};
  GetWindowRect(hwnd, &rect);
  ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void Settle(DWORD ms) { Sleep(ms); }

void MoveAside(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Sleep(100);
}
