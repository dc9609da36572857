// What the frame's tests do as a person would: start a program, wait for its
// windows, click with SendInput, read and answer its message boxes.
#pragma once

#include <windows.h>

#include <string>

struct RunningProgram {
  PROCESS_INFORMATION process{};
  bool started = false;
};

// Starts `commandLine` (the program path first, quoted as needed).
RunningProgram StartProgram(const std::string& commandLine);
// Waits for the end of the program and answers its exit code; false on
// timeout (the program is then ended).
bool WaitForExit(RunningProgram* program, DWORD timeoutMs, DWORD* exitCode);
bool IsRunning(const RunningProgram& program);

// The first visible top-level window of the program with that caption (any
// caption for nullptr), waiting up to `timeoutMs`.
HWND WaitForTopWindow(const RunningProgram& program, const char* caption, DWORD timeoutMs);

struct MessageBoxSeen {
  HWND box = nullptr;
  std::string caption;
  std::string text;
};
// Waits for a message box of the program and reads its caption and text.
bool WaitForMessageBox(const RunningProgram& program, DWORD timeoutMs, MessageBoxSeen* seen);
// Clicks the box's button with that identifier (IDOK, IDYES, ...).
bool ClickBoxButton(const MessageBoxSeen& seen, int buttonId);

// Moves the mouse to (x, y) on the screen and lets the program answer.
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

// Turns the mouse wheel at (x, y) by `delta` (120 a notch, negative towards
// the user), with `modifier` held down when it is not 0.
void TurnWheel(int x, int y, int delta, WORD modifier = 0);

// Clicks the centre of a window with the right button.
void RightClickWindow(HWND hwnd);

// Clicks the centre of a window.
void ClickWindow(HWND hwnd);

// Moves a window to the top-left corner of the screen, out of the way.
void MoveAside(HWND hwnd);

// Lets the program handle what it was sent.
void Settle(DWORD ms);
