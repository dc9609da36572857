// The up-down companion of a single-line edit box (SpinButton 1 and 2): a
// common-controls up-down control that writes its position into the box
// (UDS_SETBUDDYINT) within SpinMin..SpinMax.
//
// The two variants differ in the end of the box that holds the arrows:
// 1 the right end, 2 the left end. The box keeps its whole rectangle (the
// unit's rectangle, which the frame reads back and re-creates the unit at);
// the arrows lie over it inside its border, a margin keeps the text clear of
// them, and the box moves, shows, hides, enables and re-parents them with
// itself. The up-down's own alignment styles are not used: they narrow the
// box by the arrows' width, which the frame would then take for the unit's
// width, and every re-creation would narrow it again.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t kSpinRight = 1;
constexpr int32_t kSpinLeft = 2;

// The up-down of `variant` for `box`, hidden until PlaceSpin shows it with
// the box; nullptr when the common controls or the window are not there.
HWND CreateSpin(HWND box, int32_t variant, int32_t low, int32_t high);

void SetSpinRange(HWND spin, int32_t low, int32_t high);

// Puts the arrows at their end of the box, just above it among its siblings,
// under the box's parent, visible and enabled as the box is.
void PlaceSpin(HWND box, HWND spin, int32_t variant);

// Keeps the text of the box clear of the arrows; the control resets its
// margins whenever its font changes.
void ReserveSpinMargin(HWND box, int32_t variant);
