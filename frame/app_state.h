// The application state: one instance for the process, alive from start-up
// to exit. Everything here is used by the user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "services/values.h"

// Called when the message queue is empty, until the window goes away.
using IdleCallback = void (*)(HWND hwnd, void* argument);
// Called at shutdown with its position in the list.
using ExitCallback = void (*)(int position);

struct IdleEntry {
  HWND hwnd = nullptr;
  IdleCallback callback = nullptr;
  void* argument = nullptr;
};

struct AppState {
  HANDLE heap = nullptr;
  Text programFolder;       // without a trailing backslash
  Text programFolderSlash;  // with one
  Text programFileName;
  bool oleStarted = false;
  HWND hiddenOwner = nullptr;
  DWORD uiThreadId = 0;
  std::vector<IdleEntry> idleCallbacks;
  std::vector<HWND> idleSkip;
  DWORD idleStartTick = 0;
  int eventHoldCount = 0;
  uint32_t currentEventWindow = 0;
  uint32_t currentEventUnit = 0;
  bool loopStarted = false;
  bool shuttingDown = false;
  std::vector<ExitCallback> exitCallbacks;
};

AppState& App();

// Private messages of the frame.
constexpr UINT kMsgAllWindowsCreated = 0x8004;  // to a window: all its units exist
constexpr UINT kMsgDestroyUnit = 0x8065;        // WM_APP + 0x65, posted by DestroyUnit
constexpr UINT kMsgCreationComplete = 0x806F;   // to each unit after loading
constexpr UINT kMsgWindowShown = 0x8076;        // to each unit after showing
constexpr UINT kMsgShutdownRequest = 0x83E7;    // WM_APP + 0x3E7, to the hidden owner

constexpr uint32_t kStartWindowId = 0x52010001;

void RegisterIdleCallback(HWND hwnd, IdleCallback callback, void* argument);
void RemoveIdleCallback(HWND hwnd);
// Adds `callback` unless it is in the list already.
void RegisterExitCallback(ExitCallback callback);
