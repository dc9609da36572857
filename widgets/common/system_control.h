// A system control (EDIT, BUTTON) that a unit class wraps: created from the
// unit's creation arguments, then subclassed, with the class's state in
// GWLP_USERDATA and the class's procedure in front of the system's.
//
// The state cannot come through lpCreateParams as it does for the classes'
// own windows: the class's procedure is put in place only once the system
// has created the control, so the creation messages go to the system alone.
// The frame hooks in front of the class's procedure afterwards (see
// frame/unit_class.h).
#pragma once

#include <windows.h>

#include "frame/unit_class.h"

// The control, or nullptr when it cannot be made (nothing is then kept of
// `state`, which stays the caller's). On success `*systemProc` is the
// procedure the class's procedure hands every message on to.
HWND CreateSystemControl(const char* systemClass, const char* text, DWORD style,
                         const UnitCreateArgs& args, void* state, WNDPROC unitProc,
                         WNDPROC* systemProc);

// The state that CreateSystemControl put with the control; nullptr once the
// class has let go of it.
inline void* SystemControlState(HWND hwnd) {
  return reinterpret_cast<void*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
inline void ForgetSystemControlState(HWND hwnd) { SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0); }
