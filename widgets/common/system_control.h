// A system control (EDIT, BUTTON, the progress bar) that a unit class wraps:
// created from the unit's creation arguments, then subclassed, with the
// class's state in GWLP_USERDATA and the class's procedure in front of the
// system's until WM_NCDESTROY, after which the state is deleted.
//
// The state cannot come through lpCreateParams as it does for the classes'
// own windows (unit_window.h): the class's procedure is put in place only
// once the system has created the control, so the creation messages go to
// the system alone. From then on every message goes through the frame's
// part of a unit's procedure, as for the classes' own windows.
//
// Also how the wrapping classes give the control its font.
#pragma once

#include <windows.h>

#include <memory>

#include "widgets/common/unit_look.h"
#include "widgets/common/unit_window.h"

namespace system_control {

// Creates the control of `systemClass` (through unit_window.cpp, as every
// unit window is); nullptr when it cannot be made.
HWND Create(const char* systemClass, const UnitCreateArgs& args, const UnitWindowStyle& style);

// Puts `state` in GWLP_USERDATA and `procedure` in front of the system's,
// which it answers; nullptr (and no state kept) when the window refuses.
WNDPROC Subclass(HWND hwnd, void* state, WNDPROC procedure);

template <typename State, UnitProcedure<State> Procedure>
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = UnitStateOf<State>(hwnd);
  // Only the stretch between the two steps of subclassing finds the system's
  // procedure not yet kept.
  if (!state || !state->systemProc) return DefWindowProcW(hwnd, message, wParam, lParam);
  const LRESULT result =
      unit_window::UnitMessage<State, Procedure>(hwnd, state, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete state;
  }
  return result;
}

}  // namespace system_control

// Creates the control and subclasses it with the class's procedure, which
// hands on to `state->systemProc` (a WNDPROC member of the state, set here)
// whatever it does not answer itself, WM_NCDESTROY included. nullptr when
// the control cannot be made; the state is then gone too.
template <typename State, UnitProcedure<State> Procedure>
HWND CreateSystemControl(const char* systemClass, const UnitCreateArgs& args,
                         const UnitWindowStyle& style, std::unique_ptr<State> state) {
  HWND hwnd = system_control::Create(systemClass, args, style);
  if (!hwnd) return nullptr;
  state->systemProc =
      system_control::Subclass(hwnd, state.get(), system_control::WindowProc<State, Procedure>);
  if (!state->systemProc) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  (void)state.release();
  return hwnd;
}

// Gives the control the font of a font property, kept in `font`, and has it
// redrawn. The control keeps using the font it has until it is given
// another, so it is handed the stock font while the unit's own is replaced.
void GiveControlFont(HWND hwnd, UnitFont* font, const Bytes& record);
