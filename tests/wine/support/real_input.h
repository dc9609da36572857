// Real input, as a hand on the mouse and the keyboard makes it, and the waits
// that follow it. A driver sends input with SendInput, lets the thread of the
// window that gets it take in everything it was sent (Synchronise), then
// waits for the state it expects, giving up only after far longer than
// anything takes on a loaded machine. Win32 only: a driver of real Windows.
#pragma once

#include <windows.h>

// How long a wait for an expected state lasts before it gives up.
constexpr DWORD kGiveUpMs = 30000;

// One mouse input at a point of the screen, always with its absolute
// position, so that a press can never land where a lost move left the
// pointer; `flags` adds buttons or the wheel (`wheel`: 120 a notch).
void SendMouse(DWORD flags, POINT at, int wheel = 0);

// Lets the thread of `window` handle every message sent, posted and input to
// it before the call, and paint what they changed. True once it has; false
// when it did not within kGiveUpMs. A window of this thread has its messages
// dispatched here until none waits. A window that is gone needs nothing.
bool Synchronise(HWND window);

// Dispatches this thread's messages until none waits and none of its windows
// needs painting; false when that did not come within kGiveUpMs.
bool DispatchUntilIdle();

// One step of a wait: this thread's waiting messages dispatched, then a pause
// of a few milliseconds that a new message cuts short.
void WaitStep();

// Polls `holds` until it answers true or `giveUpMs` have passed; answers its
// last answer.
template <typename Condition>
bool WaitUntil(Condition holds, DWORD giveUpMs = kGiveUpMs) {
  const DWORD start = GetTickCount();
  while (!holds()) {
    if (GetTickCount() - start >= giveUpMs) return holds();
    WaitStep();
  }
  return true;
}
