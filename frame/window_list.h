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

// The live side of one unit record.
struct LiveUnit {
  HWND hwnd = nullptr;
  const UnitOperations* operations = nullptr;
  HCURSOR cursor = nullptr;
  bool ownsCursor = false;  // made from the record's cursor bytes
  int controlId = 0;
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

// Every unit window carries its window and unit identifiers as window
// properties, set when the frame hooks it: the way from a handle to its unit.
void TagUnitWindow(HWND hwnd, uint32_t window, uint32_t unit);
void UntagUnitWindow(HWND hwnd);

// The window and record whose live window is `hwnd`; all empty for a window
// that is no unit's (any more: a re-created unit's old window).
struct UnitLocation {
  WindowEntry* window = nullptr;
  TemplateRecord* record = nullptr;
  LiveUnit* unit = nullptr;
  bool IsWindowItself() const { return record == &window->window.records[0]; }
};
UnitLocation FindUnitByHandle(HWND hwnd);

// The loaded window whose unit `hwnd` is or lies inside (the nearest unit
// up the parent chain decides), or nullptr.
WindowEntry* LoadedWindowAround(HWND hwnd);

// True while the window has live state and a window handle that is alive.
bool IsWindowLoaded(const WindowEntry* window);
// True while any window of the list has live state.
bool AnyWindowLoaded();
