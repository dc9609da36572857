// The application state: one instance for the process, alive from start-up
// to exit. Everything here is used by the user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "frame/unit_class.h"

struct AppState {
  HANDLE heap = nullptr;
  bool oleStarted = false;
  HWND hiddenOwner = nullptr;
  DWORD uiThreadId = 0;
  UnitClassList unitClasses;           // the program's, handed over at start-up
  AccessibleNameList accessibleNames;  // the program's, handed over at start-up
  std::vector<HWND> idleSkip;
  DWORD idleStartTick = 0;
  int eventHoldCount = 0;
  uint32_t currentEventWindow = 0;
  uint32_t currentEventUnit = 0;
  bool loopStarted = false;
  bool shuttingDown = false;
};

AppState& App();

// WM_APP + 0x3E7, to the hidden owner: a shutdown asked for by another thread.
constexpr UINT kMsgShutdownRequest = 0x83E7;

// The program's class of `typeReference`, or nullptr.
const UnitOperations* FindUnitClass(uint32_t typeReference);
