// Idle callbacks: procedures that units register with a window of theirs, to
// be called each time the main message loop finds the queue empty (before
// the loop's own idle step), from the last registered to the first.
#pragma once

#include <windows.h>

using IdleCallback = void (*)(HWND window, void* argument);

// Adds a callback for `window`, called with `argument`. A window may have
// more than one.
void RegisterIdleCallback(HWND window, IdleCallback callback, void* argument);

// Takes away every callback registered for `window`; also from inside a
// callback, in which case those not yet called in that round are not.
void RemoveIdleCallback(HWND window);

// Calls the callbacks, the last registered first; one whose window has gone
// is removed instead. One registered meanwhile waits for the next round.
void CallIdleCallbacks();

// Removes every callback (shutdown).
void ClearIdleCallbacks();
