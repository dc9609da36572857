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

// The frame's hold on the links in the units' states.
struct UnitLinks {
  static LiveUnit* Slot(const UnitLink& link) { return link.slot_; }
  static void Set(UnitLink* link, LiveUnit* slot) { link->slot_ = slot; }
};

UnitLink::~UnitLink() {
  if (slot_) slot_->link = nullptr;
}

LiveUnit::LiveUnit(LiveUnit&& other) noexcept { *this = std::move(other); }

LiveUnit& LiveUnit::operator=(LiveUnit&& other) noexcept {
  if (this == &other) return *this;
  UntieUnitWindow(this);
  hwnd = other.hwnd;
  operations = other.operations;
  cursor = other.cursor;
  ownsCursor = other.ownsCursor;
  controlId = other.controlId;
  window = other.window;
  link = other.link;
  if (link) UnitLinks::Set(link, this);
  other.hwnd = nullptr;
  other.cursor = nullptr;
  other.ownsCursor = false;
  other.link = nullptr;
  return *this;
}

LiveUnit::~LiveUnit() { UntieUnitWindow(this); }

namespace {

// The slot being tied, and its window: only that window's procedure may
// take it, and only while TieUnitWindow waits for the answer.
LiveUnit* g_tyingSlot = nullptr;
HWND g_tyingWindow = nullptr;

// What the frame's part of a unit's procedure answers the tie with, where
// any other procedure answers 0.
constexpr LRESULT kUnitTied = 0x4D54;

}  // namespace

bool TieUnitWindow(LiveUnit* slot, HWND hwnd) {
  g_tyingSlot = slot;
  g_tyingWindow = hwnd;
  const bool tied = SendMessageW(hwnd, kMsgTieUnit, 0, 0) == kUnitTied;
  g_tyingSlot = nullptr;
  g_tyingWindow = nullptr;
  return tied;
}

bool AnswerTie(UnitLink* link, HWND hwnd, LRESULT* answer) {
  if (!g_tyingSlot || hwnd != g_tyingWindow) return false;
  LiveUnit* slot = g_tyingSlot;
  g_tyingSlot = nullptr;
  UntieUnitWindow(slot);
  if (LiveUnit* before = UnitLinks::Slot(*link)) UntieUnitWindow(before);
  slot->link = link;
  slot->hwnd = hwnd;
  UnitLinks::Set(link, slot);
  *answer = kUnitTied;
  return true;
}

LiveUnit* SlotOf(const UnitLink& link) { return UnitLinks::Slot(link); }

void UntieUnitWindow(LiveUnit* slot) {
  if (!slot->link) return;
  UnitLinks::Set(slot->link, nullptr);
  slot->link = nullptr;
}

UnitLocation LocateUnit(UnitIdentity identity) {
  UnitLocation at;
  at.window = FindWindowEntry(identity.window);
  at.record = FindUnitRecord(at.window, identity.unit);
  if (IsWindowLoaded(at.window)) {
    LiveUnit* unit = LiveUnitOf(at.window, at.record);
    if (unit && unit->hwnd && IsWindow(unit->hwnd)) at.unit = unit;
  }
  return at;
}

UnitLocation LocationOf(LiveUnit* slot) {
  WindowEntry* window = slot->window;
  const size_t index = size_t(slot - &window->live->units[0]);
  return UnitLocation{window, &window->window.records[index], slot};
}

UnitLocation FindUnitByHandle(HWND hwnd) {
  if (!hwnd) return {};
  for (auto& entry : WindowList()) {
    if (!entry->live) continue;
    auto& units = entry->live->units;
    auto& records = entry->window.records;
    for (size_t i = 0; i < units.size() && i < records.size(); ++i)
      if (units[i].hwnd == hwnd) return UnitLocation{entry.get(), &records[i], &units[i]};
  }
  return {};
}

UnitLocation UnitAround(HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h)) {
    const UnitLocation at = FindUnitByHandle(h);
    if (at.unit) return at;
  }
  return {};
}

const UnitOperations* UnitOperationsOf(HWND hwnd) {
  const UnitLocation at = FindUnitByHandle(hwnd);
  return at.unit ? at.unit->operations : nullptr;
}

bool IsWindowLoaded(const WindowEntry* window) {
  return window && window->live && window->live->hwnd && IsWindow(window->live->hwnd);
}

bool AnyWindowLoaded() {
  for (auto& entry : WindowList())
    if (entry->live) return true;
  return false;
}
