// The window list: one entry per window of the template, holding its records
// as read (the common properties kept in step with the live windows) and,
// while the window is loaded, its live state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "frame/template/template_records.h"
#include "frame/unit_class.h"

struct WindowEntry;

// The live side of one unit record: its slot in the window list. The slot
// and the link in its window's state (frame/unit_class.h) point at each
// other while they are tied; a slot that moves in its list (a control
// before it destroyed) takes its link along, and one that goes unties it.
struct LiveUnit {
  HWND hwnd = nullptr;
  const UnitOperations* operations = nullptr;
  HCURSOR cursor = nullptr;
  bool ownsCursor = false;  // made from the record's cursor bytes
  int controlId = 0;
  WindowEntry* window = nullptr;  // the window it is a unit of
  UnitLink* link = nullptr;       // the state's of `hwnd`, while tied

  LiveUnit() = default;
  LiveUnit(LiveUnit&& other) noexcept;
  LiveUnit& operator=(LiveUnit&& other) noexcept;
  ~LiveUnit();
};

struct LiveWindow {
  HWND hwnd = nullptr;
  bool modal = false;
  bool pendingDestroy = false;
  // Showing the window at the end of its loading moves the focus; the unit
  // that has it once the window is shown hears it then, and only then.
  bool showing = false;
  // The windows that a modal load disabled, with their former enabled state.
  std::vector<std::pair<HWND, bool>> disabledByModal;
  // The records as they were before loading, put back at destruction, so
  // that every load starts again from the template.
  std::vector<TemplateRecord> savedRecords;
  // Parallel to the window's records.
  std::vector<LiveUnit> units;
};

struct WindowEntry {
  TemplateWindow window;
  std::unique_ptr<LiveWindow> live;  // from the start of loading to destruction
};

std::vector<std::unique_ptr<WindowEntry>>& WindowList();

WindowEntry* FindWindowEntry(uint32_t windowId);
// The record of `unitId`; unit 0 (and the window's own identifier) is the
// window's own record.
TemplateRecord* FindUnitRecord(WindowEntry* window, uint32_t unitId);
// The live side of `record`, or nullptr while the window is not loaded.
LiveUnit* LiveUnitOf(WindowEntry* window, const TemplateRecord* record);

// Ties `slot` to the state of `hwnd`, the window that the slot's class has
// just made for it, and makes it the slot's window; the link the slot had
// before, a re-created unit's old window's, is untied. False, with nothing
// changed, when the window holds no unit state (its procedure is none of
// the unit window procedures).
bool TieUnitWindow(LiveUnit* slot, HWND hwnd);
// The frame's part of the tied window's procedure: takes the slot that
// TieUnitWindow offers `hwnd` into `link` and sets the answer; false when
// none is offered to that window.
bool AnswerTie(UnitLink* link, HWND hwnd, LRESULT* answer);
// The slot of a tied link, or nullptr.
LiveUnit* SlotOf(const UnitLink& link);
// Unties the slot from its window's state: the window is no unit's any more.
void UntieUnitWindow(LiveUnit* slot);

// Where a unit is: its window, its record and, while its window is alive,
// its slot.
struct UnitLocation {
  WindowEntry* window = nullptr;
  TemplateRecord* record = nullptr;
  LiveUnit* unit = nullptr;
  bool IsWindowItself() const { return record == &window->window.records[0]; }
  UnitIdentity Identity() const {
    return UnitIdentity{uint32_t(window->window.identifier), uint32_t(record->identifier)};
  }
};
// By its identifiers: the window and record whether the window is loaded or
// not (empty for a window or unit that does not exist), the slot while the
// unit's window is alive.
UnitLocation LocateUnit(UnitIdentity unit);
// From a slot of a loaded window.
UnitLocation LocationOf(LiveUnit* slot);
// By a window handle, where one must be resolved (a queued message for any
// window, the focus): the unit whose live window `hwnd` is; all empty for a
// window that is no unit's (a window inside a unit, a re-created unit's old
// window). Compares handles with the loaded windows' slots; it reads nothing
// of the window itself.
UnitLocation FindUnitByHandle(HWND hwnd);
// The unit that `hwnd` is or lies inside: the nearest unit up the parent
// chain; all empty when there is none.
UnitLocation UnitAround(HWND hwnd);

// True while the window has live state and a window handle that is alive.
bool IsWindowLoaded(const WindowEntry* window);
// True while any window of the list has live state.
bool AnyWindowLoaded();
