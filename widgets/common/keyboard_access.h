// What the units of our own classes that work from the keyboard share: the
// focus cue, and the rule that a key press acts only on a unit that a mouse
// press could reach.
#pragma once

#include <windows.h>

// Whether the unit shows its focus cue now: it has the focus, and its
// window's keyboard cues are not hidden (WM_QUERYUISTATE). A window starts
// with them hidden when it was opened with the mouse, and shows them once
// the keyboard moves the focus (window_keys.cpp), as dialogs do.
bool FocusCueShown(HWND unit);

// The dotted focus rectangle, one pixel inside `area`.
void DrawFocusCue(HDC hdc, RECT area);

// Whether nothing lies over the unit's centre: at every level up to its
// window, the topmost visible sibling there is the unit (or the container
// that holds it). A unit under a cover (a panel shown over it) cannot be
// pressed with the mouse, and so it is not pressed with the keyboard either.
bool UncoveredAtItsCentre(HWND unit);

// Whether a WM_KEYDOWN is the key's first, not an auto-repeat.
inline bool IsFirstKeyDown(LPARAM keyData) { return (keyData & (LPARAM(1) << 30)) == 0; }
