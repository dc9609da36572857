#include "frame/window_loader.h"

#include "frame/app_state.h"
#include "frame/common_controls.h"
#include "frame/events.h"
#include "frame/mouse_pointer.h"
#include "frame/unit_properties.h"

namespace {

constexpr int kFirstControlId = 100;
constexpr int kControlIdStep = 10;

// The frame's end of a unit's window: its pointer goes, its slot is cleared
// and untied.
void OnUnitDestroyed(LiveUnit* unit) {
  LoadedPointer pointer{unit->cursor, unit->ownsCursor};
  ReleaseUnitPointer(&pointer);
  unit->cursor = nullptr;
  unit->ownsCursor = false;
  unit->hwnd = nullptr;
  UntieUnitWindow(unit);
}

// The end of a loaded window: its records go back to what the template
// held, its live state goes, and the last window ends the message loop.
void OnWindowDestroyed(WindowEntry* entry) {
  LiveWindow* live = entry->live.get();
  ReenableWindowsDisabledBy(entry);
  for (LiveUnit& unit : live->units) OnUnitDestroyed(&unit);
  entry->window.records = std::move(live->savedRecords);
  entry->live.reset();
  AppState& app = App();
  if (app.loopStarted && !app.shuttingDown && !AnyWindowLoaded()) PostQuitMessage(0);
}

bool OwnsCursorMessage(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  return HWND(wParam) == hwnd && LOWORD(lParam) == HTCLIENT;
}

// One unit's window from its record.
bool CreateUnit(WindowEntry* entry, size_t index, HWND parent, int controlId) {
  TemplateRecord& record = entry->window.records[index];
  LiveUnit& unit = entry->live->units[index];
  const UnitOperations* operations = FindUnitClass(uint32_t(record.typeReference));
  if (record.kind != RecordKind::Unit || !operations || !operations->create) return false;
  if (operations->usesCommonControls && !EnsureCommonControls()) return false;
  UnitCreateArgs args;
  args.properties = ViewOf(record.properties);
  args.style = StylesOfRecord(record);
  args.parent = parent;
  args.controlId = controlId;
  args.left = record.left;
  args.top = record.top;
  args.width = record.width;
  args.height = record.height;
  args.identity = UnitIdentity{uint32_t(entry->window.identifier), uint32_t(record.identifier)};
  HWND hwnd = operations->create(args);
  if (!hwnd) return false;
  unit.operations = operations;
  unit.controlId = controlId;
  unit.window = entry;
  // A window that holds no unit state cannot be the unit's.
  if (TieUnitWindow(&unit, hwnd)) return true;
  DestroyWindow(hwnd);
  return false;
}

void SendToUnitsBackwards(WindowEntry* entry, UINT message) {
  // A unit's answer may take the whole window down: look again each time.
  for (size_t i = entry->live ? entry->live->units.size() : 0; i-- > 1 && entry->live;) {
    if (i >= entry->live->units.size()) continue;
    if (HWND unit = entry->live->units[i].hwnd) SendMessageW(unit, message, 0, 0);
  }
}

// The unit of the window that has the focus: the window itself, one of its
// units, or a window inside a unit (an edit box's own child, say).
TemplateRecord* FocusedUnit(WindowEntry* entry) {
  const UnitLocation at = UnitAround(GetFocus());
  return at.unit && at.window == entry ? at.record : nullptr;
}

int ShowCommandOf(WindowEntry* entry) {
  const LiveUnit& windowUnit = entry->live->units[0];
  const auto showCommand = windowUnit.operations->showCommand;
  return showCommand ? showCommand(windowUnit.hwnd) : SW_SHOW;
}

// Every other top-level loaded window is disabled while a modal window is
// open.
void DisableOthersForModal(WindowEntry* entry) {
  for (auto& other : WindowList()) {
    if (other.get() == entry || !IsWindowLoaded(other.get())) continue;
    HWND h = other->live->hwnd;
    if (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) continue;
    entry->live->disabledByModal.push_back({h, IsWindowEnabled(h) != FALSE});
    EnableWindow(h, FALSE);
  }
}

bool StillExists(WindowEntry* entry, HWND hwnd) {
  return entry->live && entry->live->hwnd == hwnd && IsWindow(hwnd);
}

}  // namespace

DWORD StylesOfRecord(const TemplateRecord& record) {
  DWORD style = 0;
  if (record.flags & kUnitDisabled) style |= WS_DISABLED;
  if (record.flags & kUnitTabStop) style |= WS_TABSTOP;
  return style;
}

void PlaceInZOrder(WindowEntry* entry, size_t index) {
  auto& records = entry->window.records;
  auto& units = entry->live->units;
  HWND after = HWND_TOP;
  for (size_t j = index; j-- > 1;) {
    if (records[j].parent == records[index].parent && units[j].hwnd) {
      after = units[j].hwnd;
      break;
    }
  }
  SetWindowPos(units[index].hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool LoadWindowFromTemplate(WindowEntry* entry, HWND owner, bool modal) {
  auto& records = entry->window.records;
  if (records.empty() || entry->live) return false;
  // Events wait until the window is complete.
  HoldEvents();
  entry->live.reset(new LiveWindow);
  LiveWindow* live = entry->live.get();
  live->modal = modal;
  live->savedRecords = records;
  live->units.resize(records.size());

  // The window from its own record, then the units from the last record
  // back to the second.
  if (!CreateUnit(entry, 0, owner, 0)) {
    entry->live.reset();
    ReleaseEvents();
    return false;
  }
  HWND hwnd = live->units[0].hwnd;
  live->hwnd = hwnd;
  int controlId = kFirstControlId;
  for (size_t i = records.size(); i-- > 1;) {
    if (!CreateUnit(entry, i, hwnd, controlId)) {
      // Nothing half-built stays on the screen; the window's end puts its
      // records back.
      ReleaseEvents();
      DestroyWindow(hwnd);
      return false;
    }
    controlId += kControlIdStep;
  }
  auto& units = live->units;

  // Units inside a container unit.
  for (size_t i = 1; i < records.size(); ++i) {
    if (records[i].parent == 0) continue;
    TemplateRecord* parent = FindUnitRecord(entry, uint32_t(records[i].parent));
    LiveUnit* parentUnit = LiveUnitOf(entry, parent);
    if (parentUnit && parentUnit->hwnd && parentUnit != &units[i])
      SetParent(units[i].hwnd, parentUnit->hwnd);
  }
  // Template order is z-order from the top among siblings.
  for (size_t i = 1; i < records.size(); ++i) PlaceInZOrder(entry, i);
  // Mouse pointers, now that every unit has its window.
  for (size_t i = 0; i < records.size(); ++i) {
    LoadedPointer pointer = LoadUnitPointer(records[i]);
    units[i].cursor = pointer.cursor;
    units[i].ownsCursor = pointer.owned;
  }
  // Creation complete, units last to first; then the units take their
  // visibility.
  SendToUnitsBackwards(entry, kMsgCreationComplete);
  SendMessageW(hwnd, kMsgAllUnitsCreated, 0, 0);
  for (size_t i = 1; i < records.size(); ++i)
    ShowWindow(units[i].hwnd, (records[i].flags & kUnitVisible) ? SW_SHOWNA : SW_HIDE);
  ReleaseEvents();

  // The created events; a handler may destroy the window at any of these.
  const uint32_t windowId = uint32_t(entry->window.identifier);
  const uint32_t ownId = uint32_t(records[0].identifier);
  for (int32_t number : {kWindowCreated, kWindowMoved, kWindowResized}) {
    if (!StillExists(entry, hwnd)) return true;
    EventRecord event = MakeEvent(windowId, ownId, number);
    RaiseEvent(event);
  }
  if (!StillExists(entry, hwnd)) return true;

  // Show the window, then tell the focused unit.
  if (entry->window.records[0].flags & kUnitVisible) {
    entry->live->showing = true;
    ShowWindow(hwnd, ShowCommandOf(entry));
    if (!StillExists(entry, hwnd)) return true;
    entry->live->showing = false;
    if (TemplateRecord* focused = FocusedUnit(entry)) {
      RaiseUnitEvent(UnitIdentity{windowId, uint32_t(focused->identifier)}, kEventFocusGained);
      if (!StillExists(entry, hwnd)) return true;
    }
  }
  if (modal) DisableOthersForModal(entry);
  // The shown message must not move the focus that showing gave.
  HWND focusBefore = GetFocus();
  SendToUnitsBackwards(entry, kMsgWindowShown);
  if (GetFocus() != focusBefore && IsWindow(focusBefore)) SetFocus(focusBefore);
  return true;
}

void ReenableWindowsDisabledBy(WindowEntry* entry) {
  if (!entry->live) return;
  auto disabled = std::move(entry->live->disabledByModal);
  entry->live->disabledByModal.clear();
  for (auto& [hwnd, wasEnabled] : disabled)
    if (IsWindow(hwnd)) EnableWindow(hwnd, wasEnabled ? TRUE : FALSE);
}

void ReenableWindowsDisabledByModal(const UnitLink& link) {
  LiveUnit* slot = SlotOf(link);
  if (slot && LocationOf(slot).IsWindowItself()) ReenableWindowsDisabledBy(slot->window);
}

void RunDestroyStep(WindowEntry* entry) {
  if (!entry->live || !entry->live->pendingDestroy) return;
  entry->live->pendingDestroy = false;
  if (entry->live->modal) ReenableWindowsDisabledBy(entry);
  if (IsWindow(entry->live->hwnd)) DestroyWindow(entry->live->hwnd);
}

void DestroyAllWindows() {
  for (size_t i = 0; i < WindowList().size(); ++i) {
    WindowEntry* entry = WindowList()[i].get();
    if (entry->live && IsWindow(entry->live->hwnd)) DestroyWindow(entry->live->hwnd);
    // A window whose handle is already gone (its end never reached the
    // frame) still gives its records back.
    if (entry->live) {
      entry->window.records = std::move(entry->live->savedRecords);
      entry->live.reset();
    }
  }
}

void ReleaseFrameResources() {
  // The hand pointer and the standard pointers are shared resources of the
  // system; the loaded units' own pointers went with their windows.
  ReleaseCommonControls();
}

LRESULT UnitFrameMessage(UnitLink* link, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         UnitClassStep classStep, void* state) {
  LRESULT answer = 0;
  LiveUnit* unit = SlotOf(*link);
  switch (message) {
    case kMsgTieUnit:
      if (AnswerTie(link, hwnd, &answer)) return answer;
      break;
    case kMsgDestroyUnit:
      if (!unit) break;
      if (LocationOf(unit).IsWindowItself()) RunDestroyStep(unit->window);
      return 0;
    case WM_SETCURSOR:
      if (unit && unit->cursor && OwnsCursorMessage(hwnd, wParam, lParam)) {
        SetCursor(unit->cursor);
        return TRUE;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      // Sent, never queued: the loop's pre-translation does not see them.
      answer = classStep(hwnd, state, message, wParam, lParam);
      // The class's answer may have taken the window, and the state with
      // the link, away; or handlers may have changed the window list.
      if (!IsWindow(hwnd) || !(unit = SlotOf(*link))) return answer;
      const UnitLocation at = LocationOf(unit);
      if (!at.window->live->showing)
        RaiseUnitEvent(at.Identity(), message == WM_SETFOCUS ? kEventFocusGained : kEventFocusLost);
      return answer;
    }
    case WM_NCDESTROY: {
      answer = classStep(hwnd, state, message, wParam, lParam);
      // The class's answer may have run handlers that changed the list; a
      // re-created unit's old window is no unit's any more and ends alone.
      if (!(unit = SlotOf(*link))) return answer;
      if (LocationOf(unit).IsWindowItself())
        OnWindowDestroyed(unit->window);
      else
        OnUnitDestroyed(unit);
      return answer;
    }
  }
  return classStep(hwnd, state, message, wParam, lParam);
}
