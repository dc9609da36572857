#include "frame/frame_interface.h"

#include "frame/app_state.h"
#include "frame/message_loop.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/shutdown.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"

namespace {

struct Resolved {
  WindowEntry* window = nullptr;
  TemplateRecord* record = nullptr;
  LiveUnit* unit = nullptr;
};

Resolved ResolveUnit(uint32_t windowId, uint32_t unitId) {
  Resolved at;
  at.window = FindWindowEntry(windowId);
  at.record = IsWindowLoaded(at.window) ? FindUnitRecord(at.window, unitId) : nullptr;
  at.unit = LiveUnitOf(at.window, at.record);
  if (at.unit && (!at.unit->hwnd || !IsWindow(at.unit->hwnd))) at.unit = nullptr;
  return at;
}

void DestroyControl(const Resolved& at) {
  const bool holdsWindows = GetTopWindow(at.unit->hwnd) != nullptr;
  DestroyWindow(at.unit->hwnd);
  if (holdsWindows) return;
  // Out of the window's layout and events; the window's end brings it back
  // from the copy of its records.
  WindowEntry* window = at.window;
  if (!window->live) return;
  const size_t index = size_t(at.record - &window->window.records[0]);
  if (index == 0 || index >= window->window.records.size()) return;
  window->window.records.erase(window->window.records.begin() + long(index));
  window->live->units.erase(window->live->units.begin() + long(index));
}

}  // namespace

bool LoadWindowById(uint32_t windowId, uint32_t ownerId, bool modal) {
  HWND owner = nullptr;
  if (ownerId != 0) {
    WindowEntry* ownerEntry = FindWindowEntry(ownerId);
    if (!IsWindowLoaded(ownerEntry)) return false;
    owner = ownerEntry->live->hwnd;
  }
  WindowEntry* entry = FindWindowEntry(windowId);
  if (!entry) return false;
  if (IsWindowLoaded(entry)) {
    HWND open = entry->live->hwnd;
    if (!entry->live->pendingDestroy) {
      if (IsIconic(open))
        ShowWindow(open, SW_RESTORE);
      else
        SetActiveWindow(open);
      return true;
    }
    // Between DestroyUnit and its message: the old one goes now.
    RunDestroyStep(entry);
    if (entry->live) return false;  // its end did not come through
  }
  // A modal window belongs to the program's hidden window, whatever owner
  // was asked for: it gets no taskbar button of its own.
  if (modal)
    owner = App().hiddenOwner;
  else if (ownerId != 0 && !IsWindow(owner))
    return false;
  if (!LoadWindowFromTemplate(entry, owner, modal)) return false;
  // The windows that the modal load disabled get their state back at the
  // window's end, through the frame.
  if (modal && entry->live) RunLoopUntilDestroyed(entry->live->hwnd);
  return true;
}

HWND FindUnitWindow(uint32_t window, uint32_t unit) {
  const Resolved at = ResolveUnit(window, unit);
  return at.unit ? at.unit->hwnd : nullptr;
}

HWND LoadedUnitWindow(uint32_t window, uint32_t unit) {
  HWND hwnd = FindUnitWindow(window, unit);
  if (!hwnd) ReportRuntimeError(kUnitNotLoaded, 0, window, unit);
  return hwnd;
}

void DestroyUnitById(uint32_t windowId, uint32_t unitId, bool atOnce) {
  const Resolved at = ResolveUnit(windowId, unitId);
  if (!at.unit) ReportRuntimeError(kUnitNotLoaded, 0, windowId, unitId);
  if (at.record != &at.window->window.records[0]) {
    DestroyControl(at);
    return;
  }
  at.window->live->pendingDestroy = true;
  if (atOnce)
    RunDestroyStep(at.window);
  else
    PostMessageA(at.unit->hwnd, kMsgDestroyUnit, 0, 0);
}

bool HandleWaitingMessages() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return true;
    HandleNextMessage(&message);
  }
  return false;
}
