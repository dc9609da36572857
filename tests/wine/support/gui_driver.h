// What the Windows tests do as a person would: start a program, wait for its
// windows, click, type and drag with SendInput, read and answer its message
// boxes. Each input is taken in by the program before the call returns (see
// support/real_input.h); what it leads to, the caller waits for. Captions,
// texts and command lines are code page 936; windows are read through the
// wide API (support/test_text.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/real_input.h"

struct RunningProgram {
  PROCESS_INFORMATION process{};
  bool started = false;
};

// Starts `commandLine` (the program path first, quoted as needed); in UTF-16
// for a path that code page 936 cannot write.
RunningProgram StartProgram(const std::string& commandLine);
// With `inheritHandles`, every inheritable handle of this process is handed
// on.
RunningProgram StartProgram(std::wstring commandLine, bool inheritHandles = false);
// The programs a test started: those still running when it ends are ended
// then, so that a test that failed half-way leaves none behind.
class ProgramsToEnd {
 public:
  ProgramsToEnd() = default;
  ~ProgramsToEnd();
  ProgramsToEnd(const ProgramsToEnd&) = delete;
  ProgramsToEnd& operator=(const ProgramsToEnd&) = delete;
  void Add(HANDLE process) { processes_.push_back(process); }

 private:
  std::vector<HANDLE> processes_;
};

// The user and kernel time the process has used, in milliseconds.
double ProcessCpuMilliseconds(HANDLE process);

// Milliseconds of a monotonic clock.
double NowMilliseconds();

// Waits for the end of the program and answers its exit code; false on
// timeout (the program is then ended).
bool WaitForExit(RunningProgram* program, DWORD timeoutMs, DWORD* exitCode);
bool IsRunning(const RunningProgram& program);

// The processes running now that `parentId` started (parent ids are not
// checked against the parent's start: a test asks while the parent runs).
std::vector<DWORD> ChildProcessIds(DWORD parentId);

// The visible top-level windows of a process (of every process for 0), in
// their order on the screen, the topmost first.
std::vector<HWND> VisibleTopWindows(DWORD processId);

// The first visible top-level window of the program with that caption (any
// caption for nullptr), waiting up to `timeoutMs`.
HWND WaitForTopWindow(const RunningProgram& program, const char* caption,
                      DWORD timeoutMs = kGiveUpMs);

// Waits until the window is gone or hidden; false on timeout.
bool WaitUntilGone(HWND window, DWORD timeoutMs = kGiveUpMs);

// The text of a window of any process (a caption, a control's text): asked
// for with WM_GETTEXT, which crosses the process boundary.
std::string WindowTextOf(HWND hwnd);

// Whether a top-level window is a dialog of the kind message boxes are.
bool IsMessageBox(HWND hwnd);

// A message box as a person sees it: the box, the process that shows it, its
// caption and its text.
struct MessageBoxSeen {
  HWND box = nullptr;
  DWORD processId = 0;
  std::string caption;
  std::string text;
};
// Which message boxes a search takes: of one process (of any for 0), with
// one caption (any for nullptr), never `except`.
struct BoxWanted {
  DWORD processId = 0;
  const char* caption = nullptr;
  HWND except = nullptr;
};
// Reads the first visible message box that is wanted, as it is now; false
// when none is shown.
bool FindMessageBox(const BoxWanted& wanted, MessageBoxSeen* seen);
// Waits for a message box of the program and reads its caption and text;
// false when none came before the program ended or `timeoutMs` passed.
bool WaitForMessageBox(const RunningProgram& program, DWORD timeoutMs, MessageBoxSeen* seen);
// Waits for a wanted message box of whichever process shows it.
bool WaitForMessageBox(const BoxWanted& wanted, DWORD timeoutMs, MessageBoxSeen* seen);
// Brings the box to the front and clicks its button with that identifier
// (IDOK, IDYES, ...).
bool ClickBoxButton(const MessageBoxSeen& seen, int buttonId);
// Clicks the button and waits until the box has gone.
bool AnswerBox(const MessageBoxSeen& seen, int buttonId, DWORD timeoutMs = kGiveUpMs);

// Makes the window the foreground window and waits until it is, and until
// its thread has taken that in.
bool BringToFront(HWND hwnd);

// Where (x, y) of a window's client area lies on the screen.
POINT OnScreen(HWND hwnd, int x, int y);

// Moves the mouse to (x, y) on the screen.
void MoveMouseTo(int x, int y);

// Moves the mouse to (x, y) on the screen and clicks the left button.
void ClickAt(int x, int y);
// Moves the mouse to (x, y) on the screen and presses the left button there,
// or releases it there.
void PressLeftAt(int x, int y);
void ReleaseLeftAt(int x, int y);

// Presses and releases one key, with `modifier` (VK_SHIFT, VK_CONTROL, ...)
// held down when it is not 0.
void PressKey(WORD virtualKey, WORD modifier = 0);

// Types one character as an input method does (a UTF-16 unit, KEYEVENTF_UNICODE):
// the window gets it as WM_CHAR, whatever the keyboard layout.
void TypeCharacter(wchar_t character);

// Turns the mouse wheel at (x, y) by `delta` (120 a notch, negative towards
// the user), with `modifier` held down when it is not 0.
void TurnWheel(int x, int y, int delta, WORD modifier = 0);

// Clicks the centre of a window with the right button.
void RightClickWindow(HWND hwnd);

// Clicks the centre of a window.
void ClickWindow(HWND hwnd);

// Moves the mouse to `at` and waits until `holds` answers true, moving it
// there again, by way of the pixel beside it, each second that it does not;
// false when that did not come within kGiveUpMs. Under Wine, on a busy
// machine, the pointer was seen back at the place of an earlier move, with
// the program shown no move at all: a person would move the mouse again.
template <typename Condition>
bool MoveMouseUntil(POINT at, Condition holds) {
  MoveMouseTo(at.x, at.y);
  const DWORD start = GetTickCount();
  DWORD moved = start;
  while (!holds()) {
    const DWORD now = GetTickCount();
    if (now - start >= kGiveUpMs) return holds();
    if (now - moved >= 1000) {
      MoveMouseTo(at.x + 1, at.y);
      MoveMouseTo(at.x, at.y);
      moved = GetTickCount();
    }
    WaitStep();
  }
  return true;
}

// Presses the left button at `from` (a point of the window or of one of its
// units), moves the mouse by (dx, dy) in steps and releases it there; true
// once the window lies (dx, dy) from where it was.
bool DragWindow(HWND window, POINT from, int dx, int dy);
// The same drag, with the thread of the window held from before the press
// until after the release, as a machine too busy to keep up would hold it:
// the program takes the press when the mouse has long gone on.
bool DragWindowPastItsThread(HWND window, POINT from, int dx, int dy);

// Moves a window to the top-left corner of the screen, out of the way.
void MoveAside(HWND hwnd);

// The screen's pixel at `at` (a COLORREF), read until it is `expected` or the
// give-up has passed: the last reading. A window's painting reaches the
// screen a moment after the window has painted.
COLORREF ScreenPixelOnceItIs(POINT at, COLORREF expected);
