// What the frame offers the window and process services (services/): the
// few calls through which they load, find and destroy windows and units,
// pump the queue and end the program. The services include nothing else of
// the frame.
#pragma once

#include <windows.h>

#include <cstdint>

// Loads the window `window` (LoadWindow): with `owner` (a window identifier,
// 0 for none) that must be loaded; an open window is restored or activated
// instead, one waiting for its destruction is destroyed and loaded afresh; a
// modal load returns once the window is gone. False when the window or the
// owner is missing or the window cannot be created.
bool LoadWindowById(uint32_t window, uint32_t owner, bool modal);

// The live window of the unit (0 or the window's own identifier: the window
// itself), or nullptr when it is not loaded.
HWND FindUnitWindow(uint32_t window, uint32_t unit);
// The same, where a unit that is not loaded is the run-time error
// "指定窗口或窗口组件不存在或尚未载入".
HWND LoadedUnitWindow(uint32_t window, uint32_t unit);

// DestroyUnit: a window is destroyed when the message loop next runs (at
// once with `atOnce`), never twice; a control is destroyed now and, when it
// held no windows of its own, leaves its window's list of units. A unit that
// is not loaded is a run-time error.
void DestroyUnitById(uint32_t window, uint32_t unit, bool atOnce);

// Handles every message that is waiting, as the main loop does, then
// returns; a WM_QUIT at the head of the queue stays there, and the result
// says whether one does. Never waits.
bool HandleWaitingMessages();

// Destroys every loaded window, frees what start-up took and ends the
// process with `exitCode`. From another thread, the request goes to the
// user-interface thread and the process ends at once.
[[noreturn]] void ShutdownAndExit(int exitCode);
