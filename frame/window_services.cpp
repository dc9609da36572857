#include "frame/window_services.h"

#include "frame/app_state.h"
#include "frame/message_loop.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"

namespace {

UnitLocation Locate(UnitRef ref) {
  return LocateUnit(UnitIdentity{uint32_t(ref.window), uint32_t(ref.unit)});
}

[[noreturn]] void ReportNotLoaded(UnitRef ref) {
  ReportRuntimeError(kUnitNotLoaded, 0, uint32_t(ref.window), uint32_t(ref.unit));
}

void DestroyControl(const UnitLocation& at) {
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

bool ProcessEvents() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
    if (message.message == WM_QUIT) return true;
    HandleNextMessage(&message);
  }
  return false;
}

bool LoadWindow(WindowId window, WindowId ownerWindow, Modality modality) {
  const bool modal = modality == Modality::Modal;
  HWND owner = nullptr;
  if (ownerWindow != kNoWindow) {
    WindowEntry* ownerEntry = FindWindowEntry(uint32_t(ownerWindow));
    if (!IsWindowLoaded(ownerEntry)) return false;
    owner = ownerEntry->live->hwnd;
  }
  WindowEntry* entry = FindWindowEntry(uint32_t(window));
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
  else if (ownerWindow != kNoWindow && !IsWindow(owner))
    return false;
  if (!LoadWindowFromTemplate(entry, owner, modal)) return false;
  // The windows that the modal load disabled get their state back at the
  // window's end, through the frame.
  if (modal && entry->live) RunLoopUntilDestroyed(entry->live->hwnd);
  return true;
}

void DestroyUnit(UnitRef unit, DestroyTiming timing) {
  const UnitLocation at = Locate(unit);
  if (!at.unit) ReportNotLoaded(unit);
  if (!at.IsWindowItself()) {
    DestroyControl(at);
    return;
  }
  at.window->live->pendingDestroy = true;
  if (timing == DestroyTiming::AtOnce)
    RunDestroyStep(at.window);
  else
    PostMessageW(at.unit->hwnd, kMsgDestroyUnit, 0, 0);
}

bool IsUnitLoaded(UnitRef unit) { return FindUnitWindow(unit) != nullptr; }

HWND FindUnitWindow(UnitRef unit) {
  const UnitLocation at = Locate(unit);
  return at.unit ? at.unit->hwnd : nullptr;
}

int32_t SendUnitMessage(UnitRef unit, uint32_t message, int32_t wParam, int32_t lParam) {
  HWND hwnd = FindUnitWindow(unit);
  if (!hwnd) ReportNotLoaded(unit);
  return int32_t(SendMessageW(hwnd, UINT(message), WPARAM(uint32_t(wParam)), LPARAM(lParam)));
}
