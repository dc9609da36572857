// What the frame's tests do as a person would: start a program, wait for its
// windows, click, type and drag with SendInput, read and answer its message
// boxes. Each input is taken in by the program before the call returns (see
// support/real_input.h); what it leads to, the caller waits for. Captions,
// texts and command lines are code page 936; windows are read through the
// wide API (support/test_support.h).
#pragma once

#include <windows.h>

#include <string>

#include "support/real_input.h"

struct RunningProgram {
  PROCESS_INFORMATION process{};
  bool started = false;
};

// Starts `commandLine` (the program path first, quoted as needed); in UTF-16
// for a path that code page 936 cannot write.
RunningProgram StartProgram(const std::string& commandLine);
RunningProgram StartProgram(std::wstring commandLine);
// Waits for the end of the program and answers its exit code; false on
// timeout (the program is then ended).
bool WaitForExit(RunningProgram* program, DWORD timeoutMs, DWORD* exitCode);
bool IsRunning(const RunningProgram& program);

// The first visible top-level window of the program with that caption (any
// caption for nullptr), waiting up to `timeoutMs`.
HWND WaitForTopWindow(const RunningProgram& program, const char* caption,
                      DWORD timeoutMs = kGiveUpMs);

struct MessageBoxSeen {
  HWND box = nullptr;
  std::string caption;
  std::string text;
};
// Waits for a message box of the program and reads its caption and text.
bool WaitForMessageBox(const RunningProgram& program, DWORD timeoutMs, MessageBoxSeen* seen);
// Brings the box to the front and clicks its button with that identifier
// (IDOK, IDYES, ...).
bool ClickBoxButton(const MessageBoxSeen& seen, int buttonId);

// Makes the window the foreground window and waits until it is, and until
// its thread has taken that in.
bool BringToFront(HWND hwnd);

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

// Presses the left button at `from` (a point of the window or of one of its
// units), moves the mouse by (dx, dy) in steps and releases it there; true
// once the window lies (dx, dy) from where it was.
bool DragWindow(HWND window, POINT from, int dx, int dy);

// Moves a window to the top-left corner of the screen, out of the way.
void MoveAside(HWND hwnd);

// The screen's pixel at `at` (a COLORREF), read until it is `expected` or the
// give-up has passed: the last reading. A window's painting reaches the
// screen a moment after the window has painted.
COLORREF ScreenPixelOnceItIs(POINT at, COLORREF expected);
