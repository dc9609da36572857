// The window services of the handlers: pumping the queue, loading windows,
// destroying windows and controls, asking whether a unit is loaded and
// sending messages to units. Each runs on the user-interface thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "services/values.h"

// Handles every message that is waiting, as the main loop does, then
// returns; a WM_QUIT at the head of the queue stays there for the main loop,
// and the result says whether one does. Never waits.
bool ProcessEvents();

enum class Modality : bool { Modeless, Modal };

// Loads `window` with `owner`, which must be loaded (kNoWindow: none). An
// open window is restored or activated instead, one waiting for its
// destruction is destroyed and loaded afresh. A modal window belongs to the
// program's hidden window whatever the owner, and the load returns once it
// is gone. False when the window or the owner is missing or the window
// cannot be created.
bool LoadWindow(WindowId window, WindowId owner = kNoWindow,
                Modality modality = Modality::Modeless);

enum class DestroyTiming : bool {
  Deferred,  // when the message loop next runs: not under a running handler
  AtOnce,
};

// A window is destroyed at `timing`, never twice; a control is destroyed now
// and, when it held no windows of its own, leaves its window's list of
// units. A unit that is not loaded is a run-time error.
void DestroyUnit(UnitRef unit, DestroyTiming timing = DestroyTiming::Deferred);

// True while the unit's window exists: a window from its loading to its
// destruction, a control until it is destroyed. Never an error, so that a
// handler can ask about a window that the user may have closed meanwhile.
bool IsUnitLoaded(UnitRef unit);

// The live window of the unit, or nullptr when it is not loaded.
HWND FindUnitWindow(UnitRef unit);

// SendMessageW to the unit's window, with 32-bit arguments; answers what its
// procedure returned. A unit that is not loaded is a run-time error.
int32_t SendUnitMessage(UnitRef unit, uint32_t message, int32_t wParam, int32_t lParam);
