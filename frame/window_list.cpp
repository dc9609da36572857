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

UnitLocation FindUnitByHandle(HWND hwnd) {
  if (!hwnd) return {};
  for (auto& entry : WindowList()) {
    if (!entry->live) continue;
    auto& units = entry->live->units;
    for (size_t i = 0; i < units.size() && i < entry->window.records.size(); ++i)
      if (units[i].hwnd == hwnd) return {entry.get(), &entry->window.records[i], &units[i]};
  }
  return {};
}

bool IsWindowLoaded(const WindowEntry* window) {
  return window && window->live && window->live->hwnd && IsWindow(window->live->hwnd);
}

bool AnyWindowLoaded() {
  for (auto& entry : WindowList())
    if (entry->live) return true;
  return false;
}
