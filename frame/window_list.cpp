#include "frame/window_list.h"

#include "frame/template/template_reader.h"

std::vector<std::unique_ptr<WindowEntry>>& WindowList() {
  static std::vector<std::unique_ptr<WindowEntry>> list;
  return list;
}

WindowEntry* FindWindowEntry(uint32_t windowId) {
  for (auto& entry : WindowList())
    if (uint32_t(entry->window.identifier) == windowId) return entry.get();
  return nullptr;
}

TemplateRecord* FindUnitRecord(WindowEntry* window, uint32_t unitId) {
  if (!window) return nullptr;
  return FindRecord(window->window, int32_t(unitId));
}

LiveUnit* LiveUnitOf(WindowEntry* window, const TemplateRecord* record) {
  if (!window || !window->live || !record) return nullptr;
  const auto& records = window->window.records;
  if (records.empty() || record < &records[0] || record >= &records[0] + records.size())
    return nullptr;
  size_t index = size_t(record - &records[0]);
  if (index >= window->live->units.size()) return nullptr;
  return &window->live->units[index];
}

namespace {
// Property names of Windows's alone, never texts of the program.
const wchar_t kWindowTag[] = L"MorvaneWindowId";
const wchar_t kUnitTag[] = L"MorvaneUnitId";
}  // namespace

void TagUnitWindow(HWND hwnd, uint32_t window, uint32_t unit) {
  SetPropW(hwnd, kWindowTag, HANDLE(uintptr_t(window)));
  SetPropW(hwnd, kUnitTag, HANDLE(uintptr_t(unit)));
}

void UntagUnitWindow(HWND hwnd) {
  RemovePropW(hwnd, kWindowTag);
  RemovePropW(hwnd, kUnitTag);
}

UnitLocation FindUnitByHandle(HWND hwnd) {
  if (!hwnd) return {};
  const uint32_t windowId = uint32_t(uintptr_t(GetPropW(hwnd, kWindowTag)));
  if (windowId == 0) return {};
  WindowEntry* window = FindWindowEntry(windowId);
  TemplateRecord* record = FindUnitRecord(window, uint32_t(uintptr_t(GetPropW(hwnd, kUnitTag))));
  LiveUnit* unit = LiveUnitOf(window, record);
  if (!unit || unit->hwnd != hwnd) return {};
  return {window, record, unit};
}

const UnitOperations* UnitOperationsOf(HWND hwnd) {
  const UnitLocation at = FindUnitByHandle(hwnd);
  return at.unit ? at.unit->operations : nullptr;
}

WindowEntry* LoadedWindowAround(HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h)) {
    UnitLocation at = FindUnitByHandle(h);
    if (at.window) return at.window;
  }
  return nullptr;
}

bool IsWindowLoaded(const WindowEntry* window) {
  return window && window->live && window->live->hwnd && IsWindow(window->live->hwnd);
}

bool AnyWindowLoaded() {
  for (auto& entry : WindowList())
    if (entry->live) return true;
  return false;
}
