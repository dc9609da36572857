#include "services/windows.h"

#include <windows.h>

#include "frame/app_state.h"
#include "frame/message_loop.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"

namespace {

struct Resolved {
  WindowEntry* window = nullptr;
  TemplateRecord* record = nullptr;
  LiveUnit* unit = nullptr;
};

// A unit of a loaded window whose window is alive, or a run-time error.
Resolved ResolveLoadedUnit(const Value& reference) {
  UnitRef ref = reference.type == ValueType::Unit ? reference.unit : UnitRef{};
  Resolved at;
  at.window = FindWindowEntry(ref.window);
  at.record = IsWindowLoaded(at.window) ? FindUnitRecord(at.window, ref.unit) : nullptr;
  at.unit = LiveUnitOf(at.window, at.record);
  if (!at.unit || !at.unit->hwnd || !IsWindow(at.unit->hwnd))
    ReportRuntimeError(kUnitNotLoaded, 0, ref.window, ref.unit);
  return at;
}

bool IsOwnRecord(const Resolved& at) { return at.record == &at.window->window.records[0]; }

void DestroyControl(Resolved at) {
  HWND hwnd = at.unit->hwnd;
  const bool holdsWindows = GetTopWindow(hwnd) != nullptr;
  DestroyWindow(hwnd);
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

void ProcessEvents() {
  MSG message{};
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT)
    HandleNextMessage(&message);
}

bool LoadWindow(const Value& window, const Value& owner, const Value& modal) {
  const bool isModal = modal.type == ValueType::Logical ? modal.logical
                                                        : modal.type == ValueType::Integer &&
                                                              modal.integer != 0;
  HWND ownerHandle = nullptr;
  if (owner.type == ValueType::Unit) {
    WindowEntry* ownerEntry = FindWindowEntry(owner.unit.window);
    if (!IsWindowLoaded(ownerEntry)) return false;
    ownerHandle = ownerEntry->live->hwnd;
  }
  const uint32_t windowId = window.type == ValueType::Unit ? window.unit.window : 0;
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
  if (isModal)
    ownerHandle = App().hiddenOwner;
  else if (owner.type == ValueType::Unit && !IsWindow(ownerHandle))
    return false;
  if (!LoadWindowFromTemplate(entry, ownerHandle, isModal)) return false;
  if (!isModal || !entry->live) return true;
  HWND loaded = entry->live->hwnd;
  // Kept here: the window's end takes its live state with it.
  auto disabled = entry->live->disabledByModal;
  RunLoopUntilDestroyed(loaded);
  for (auto& [hwnd, wasEnabled] : disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, wasEnabled ? TRUE : FALSE);
  return true;
}

void DestroyUnit(const Value& unit, const Value& atOnce) {
  Resolved at = ResolveLoadedUnit(unit);
  if (!IsOwnRecord(at)) {
    DestroyControl(at);
    return;
  }
  at.window->live->pendingDestroy = true;
  const bool now = (atOnce.type == ValueType::Logical && atOnce.logical) ||
                   (atOnce.type == ValueType::Integer && atOnce.integer != 0);
  if (now)
    RunDestroyStep(at.window);
  else
    PostMessageA(at.unit->hwnd, kMsgDestroyUnit, 0, 0);
}

int32_t SendUnitMessage(const Value& unit, int32_t message, int32_t wParam, int32_t lParam) {
  Resolved at = ResolveLoadedUnit(unit);
  return int32_t(SendMessageA(at.unit->hwnd, UINT(message), WPARAM(uint32_t(wParam)),
                              LPARAM(lParam)));
}
