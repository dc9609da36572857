// Loading a window from its template records, and what the frame does when a
// loaded window or one of its units goes away.
#pragma once

#include <windows.h>

#include "frame/window_list.h"

// Creates the window and its units, shows it and raises its events 0, 3, 4
// (and -7 for the unit that has the focus). Answers false when a unit class
// is unknown or refuses its record; the half-built window is then destroyed.
// The window must not be loaded.
bool LoadWindowFromTemplate(WindowEntry* entry, HWND owner, bool modal);

// Gives the windows that a modal load of `entry` disabled their former state
// back (the windows' close, and the destroy step, call it).
void ReenableWindowsDisabledBy(WindowEntry* entry);

// DestroyUnit's destroy step: destroys the window when its pending-destroy
// flag is set (clearing it first), so that it is never destroyed twice.
void RunDestroyStep(WindowEntry* entry);

// Destroys every loaded window (shutdown).
void DestroyAllWindows();

// Frees what the frame holds for the lifetime of the program.
void ReleaseFrameResources();

// Puts a unit's window at its z-order place: directly below the nearest
// earlier unit of the same parent, or at the top of its siblings.
void PlaceInZOrder(WindowEntry* entry, size_t recordIndex);

// WS_DISABLED and WS_TABSTOP from a record's flags.
DWORD StylesOfRecord(const TemplateRecord& record);
