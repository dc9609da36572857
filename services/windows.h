// The window services of the handlers: loading and destroying windows,
// removing units, sending messages to units, pumping the queue.
#pragma once

#include <cstdint>

#include "services/values.h"

// Handles every message that is waiting, then returns; a WM_QUIT at the
// head of the queue stays there for the main loop, and the result says
// whether one does. Never waits.
bool ProcessEvents();

// window: the unit reference of a window; owner: a loaded window or absent;
// modal: a logical. True when the window was loaded, or already open (then
// restored or activated). A modal load returns once the window is gone.
bool LoadWindow(const Value& window, const Value& owner, const Value& modal);

// A window is destroyed when the message loop next runs (at once with
// atOnce true), never twice; a control is destroyed now and, when it held
// no windows of its own, leaves its window's list of units.
void DestroyUnit(const Value& unit, const Value& atOnce);

// True while the unit's window exists: a window from its loading to its
// destruction, a control until it is destroyed. Never an error, so that a
// handler can ask about a window that the user may have closed meanwhile.
bool IsUnitLoaded(const Value& unit);

// SendMessageA to the unit's window; answers what its procedure returned.
int32_t SendUnitMessage(const Value& unit, int32_t message, int32_t wParam, int32_t lParam);
