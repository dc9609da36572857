#include "frame/unit_properties.h"

#include <cstdio>
#include <cstdlib>

#include "frame/app_state.h"
#include "frame/mouse_pointer.h"
#include "frame/property_codec.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/window_loader.h"
#include "services/clamp.h"

namespace {

constexpr int32_t kPositionLimit = 32627;

// The unit addressed by a handler: a window or unit that does not exist is
// a run-time error.
UnitLocation Address(uint32_t windowId, uint32_t unitId) {
  const UnitLocation at = LocateUnit(UnitIdentity{windowId, unitId});
  if (!at.window) ReportRuntimeError(kPropertyWindowMissing, 0, windowId, unitId);
  if (!at.record) ReportRuntimeError(kUnitNotLoaded, 0, windowId, unitId);
  return at;
}

// The unit's rectangle: in its parent's client coordinates for a unit, on
// the screen for a window.
RECT PlacedRect(const UnitLocation& at) {
  RECT rect{};
  GetWindowRect(at.unit->hwnd, &rect);
  if (!at.IsWindowItself()) {
    HWND parent = GetParent(at.unit->hwnd);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

int64_t IntegerOf(const Value& value) { return ConvertValue(value, ValueType::Long).longInteger; }

Value ReadCommon(const UnitLocation& at, int index) {
  const TemplateRecord& record = *at.record;
  switch (index) {
    case kLeftProperty:
    case kTopProperty:
    case kWidthProperty:
    case kHeightProperty: {
      if (!at.unit) {
        const int32_t stored[] = {record.left, record.top, record.width, record.height};
        return Value::Integer(stored[index]);
      }
      RECT rect = PlacedRect(at);
      const int32_t live[] = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
      return Value::Integer(live[index]);
    }
    case kTagProperty:
      return Value::OfText(record.tag);
    case kVisibleProperty:
      return Value::Logical(at.unit ? IsWindowVisible(at.unit->hwnd) != FALSE
                                    : (record.flags & kUnitVisible) != 0);
    case kDisabledProperty:
      return Value::Logical(at.unit ? IsWindowEnabled(at.unit->hwnd) == FALSE
                                    : (record.flags & kUnitDisabled) != 0);
    default:
      return Value::OfBlock(ViewOf(record.mousePointer));
  }
}

void SetFlag(TemplateRecord* record, uint32_t flag, bool on) {
  record->flags = on ? (record->flags | flag) : (record->flags & ~flag);
}

void WriteCommon(const UnitLocation& at, int index, const Value& value) {
  TemplateRecord& record = *at.record;
  switch (index) {
    case kLeftProperty:
    case kTopProperty: {
      const int32_t position = LimitPosition(Clamp(IntegerOf(value), INT32_MIN, INT32_MAX));
      (index == kLeftProperty ? record.left : record.top) = position;
      if (!at.unit) return;
      RECT rect = PlacedRect(at);
      const int x = index == kLeftProperty ? position : rect.left;
      const int y = index == kTopProperty ? position : rect.top;
      MoveWindow(at.unit->hwnd, x, y, rect.right - rect.left, rect.bottom - rect.top, TRUE);
      return;
    }
    case kWidthProperty:
    case kHeightProperty: {
      const int32_t size = LimitSize(Clamp(IntegerOf(value), INT32_MIN, INT32_MAX));
      (index == kWidthProperty ? record.width : record.height) = size;
      if (!at.unit) return;
      RECT rect = PlacedRect(at);
      const int cx = index == kWidthProperty ? size : rect.right - rect.left;
      const int cy = index == kHeightProperty ? size : rect.bottom - rect.top;
      SetWindowPos(at.unit->hwnd, nullptr, 0, 0, cx, cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case kTagProperty:
      record.tag = ConvertValue(value, ValueType::Text).text;
      return;
    case kVisibleProperty: {
      const bool visible = IntegerOf(value) != 0;
      SetFlag(&record, kUnitVisible, visible);
      if (at.unit) ShowWindow(at.unit->hwnd, visible ? SW_SHOW : SW_HIDE);
      return;
    }
    case kDisabledProperty: {
      const bool disabled = IntegerOf(value) != 0;
      SetFlag(&record, kUnitDisabled, disabled);
      if (at.unit) EnableWindow(at.unit->hwnd, disabled ? FALSE : TRUE);
      return;
    }
    default: {
      if (value.type == ValueType::Block)
        record.mousePointer.assign(value.block.data, value.block.data + value.block.size);
      else if (value.type == ValueType::Absent)
        record.mousePointer.clear();
      else {
        // A bare pointer code is stored as the 4-byte block it stands for.
        const int32_t code = int32_t(IntegerOf(value));
        record.mousePointer.clear();
        for (int shift = 0; shift < 32; shift += 8)
          record.mousePointer.push_back(uint8_t(uint32_t(code) >> shift));
      }
      if (!at.unit) return;
      LoadedPointer previous{at.unit->cursor, at.unit->ownsCursor};
      ReleaseUnitPointer(&previous);
      LoadedPointer pointer = LoadUnitPointer(record);
      at.unit->cursor = pointer.cursor;
      at.unit->ownsCursor = pointer.owned;
      // Moving the cursor where it is makes Windows ask for the pointer now.
      POINT cursorAt;
      if (GetCursorPos(&cursorAt)) SetCursorPos(cursorAt.x, cursorAt.y);
      return;
    }
  }
}

// The unit's properties as a block of the current version, with the values
// that live in its window brought into the record first.
bool WriteLiveProperties(const UnitOperations& operations, HWND hwnd, Bytes* block) {
  const UnitDescription& description = *operations.description;
  void* record = operations.properties(hwnd);
  for (int i = 0; i < description.fieldCount && operations.readLiveProperty; ++i) {
    const PropertyField& field = description.fields[i];
    Value value;
    if (field.InRecord() && operations.readLiveProperty(hwnd, field.unitIndex, &value))
      field.Set(record, ConvertValue(value, DeclaredType(field.form)));
  }
  return WritePropertyBlock(description, record, block);
}

}  // namespace

int32_t LimitPosition(int32_t value) { return Clamp(value, -kPositionLimit, kPositionLimit); }
int32_t LimitSize(int32_t value) { return Clamp(value, 0, kPositionLimit); }

Value ReadUnitProperty(UnitRef ref, int index) {
  const uint32_t window = uint32_t(ref.window), unit = uint32_t(ref.unit);
  const UnitLocation at = Address(window, unit);
  if (index >= 0 && index < kFirstClassProperty) return ReadCommon(at, index);
  if (!IsWindowLoaded(at.window)) ReportRuntimeError(kReadWindowNotLoaded, 0, window, unit);
  if (!at.unit) ReportRuntimeError(kUnitNotLoaded, 0, window, unit);
  const UnitOperations* operations = at.unit->operations;
  const int unitIndex = index - kFirstClassProperty;
  const PropertyField* field = FieldAt(*operations->description, unitIndex);
  if (!field) return Value();
  Value value;
  if (operations->readLiveProperty &&
      operations->readLiveProperty(at.unit->hwnd, unitIndex, &value))
    return ConvertValue(value, DeclaredType(field->form));
  if (field->InRecord() && operations->properties)
    return field->Get(operations->properties(at.unit->hwnd));
  return Value();
}

bool ReadLoadedWindowProperty(uint32_t window, const char* name, Value* value) {
  WindowEntry* entry = FindWindowEntry(window);
  if (!IsWindowLoaded(entry) || entry->live->units.empty()) return false;
  const LiveUnit& own = entry->live->units[0];
  const UnitOperations* operations = own.operations;
  if (!own.hwnd || !operations || !operations->description) return false;
  const PropertyField* field = FieldNamed(*operations->description, name);
  if (!field) return false;
  Value live;
  if (operations->readLiveProperty &&
      operations->readLiveProperty(own.hwnd, field->unitIndex, &live)) {
    *value = ConvertValue(live, DeclaredType(field->form));
    return true;
  }
  if (!field->InRecord() || !operations->properties) return false;
  *value = field->Get(operations->properties(own.hwnd));
  return true;
}

void WriteUnitProperty(UnitRef ref, int index, const Value& value) {
  const uint32_t window = uint32_t(ref.window), unit = uint32_t(ref.unit);
  const UnitLocation at = Address(window, unit);
  if (index >= 0 && index < kFirstClassProperty) {
    WriteCommon(at, index, value);
    return;
  }
  if (!IsWindowLoaded(at.window)) ReportRuntimeError(kWriteWindowNotLoaded, 0, window, unit);
  if (!at.unit) ReportRuntimeError(kUnitNotLoaded, 0, window, unit);
  const UnitOperations* operations = at.unit->operations;
  const int unitIndex = index - kFirstClassProperty;
  const PropertyField* field = FieldAt(*operations->description, unitIndex);
  if (!field) return;
  HWND hwnd = at.unit->hwnd;
  const Value converted = ConvertValue(value, DeclaredType(field->form));
  if (field->InRecord() && operations->properties) {
    void* record = operations->properties(hwnd);
    field->Set(record, converted);
    ClampProperties(*operations->description, record);
  }
  if (!operations->propertyChanged || !operations->propertyChanged(hwnd, unitIndex, converted) ||
      !IsWindow(hwnd))
    return;
  // The change may have run handlers: find the unit again, in this window.
  const UnitLocation again = LocateUnit(UnitIdentity{window, unit});
  if (again.unit && again.unit->hwnd == hwnd) RecreateUnit(again.window, again.record);
}

void RecreateUnit(WindowEntry* entry, TemplateRecord* record) {
  LiveUnit* unit = LiveUnitOf(entry, record);
  if (!unit || !unit->hwnd || !unit->operations->properties) return;
  const UnitOperations& operations = *unit->operations;
  HWND old = unit->hwnd;
  HWND focus = GetFocus();
  const bool hadFocus = focus == old;
  Bytes block;
  if (!WriteLiveProperties(operations, old, &block)) return;
  const bool isWindow = record == &entry->window.records[0];
  RECT rect{};
  GetWindowRect(old, &rect);
  HWND parent = isWindow ? GetWindow(old, GW_OWNER) : GetParent(old);
  if (!isWindow) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  UnitCreateArgs args;
  args.properties = ViewOf(block);
  args.style =
      (IsWindowEnabled(old) ? 0 : WS_DISABLED) | (record->flags & kUnitTabStop ? WS_TABSTOP : 0);
  args.parent = parent;
  args.controlId = unit->controlId;
  args.left = rect.left;
  args.top = rect.top;
  args.width = rect.right - rect.left;
  args.height = rect.bottom - rect.top;
  args.identity = UnitIdentity{uint32_t(entry->window.identifier), uint32_t(record->identifier)};
  HWND fresh = operations.create(args);
  if (!fresh) return;
  // The unit keeps its slot and its pointer; only the window changes, and
  // from here on the old one is no unit's: its end is not the unit's (or,
  // for a window, the whole window's) end, and its class still frees its
  // state as it goes.
  if (!TieUnitWindow(unit, fresh)) {
    DestroyWindow(fresh);
    return;
  }
  if (operations.isContainer) {
    // Last child first, so that each move keeps the children's order.
    for (HWND child = GetWindow(old, GW_CHILD) ? GetWindow(GetWindow(old, GW_CHILD), GW_HWNDLAST)
                                               : nullptr;
         child;) {
      HWND previous = GetWindow(child, GW_HWNDPREV);
      SetParent(child, fresh);
      child = previous;
    }
  }
  // The unit's own flag: its window is still hidden with the whole window
  // while the window's created event runs.
  const bool wasVisible = (GetWindowLongW(old, GWL_STYLE) & WS_VISIBLE) != 0;
  if (!isWindow) PlaceInZOrder(entry, size_t(record - &entry->window.records[0]));
  SendMessageW(fresh, kMsgCreationComplete, 0, 0);
  SendMessageW(fresh, kMsgWindowShown, 0, 0);
  if (wasVisible) ShowWindow(fresh, SW_SHOWNA);
  DestroyWindow(old);
  if (hadFocus)
    SetFocus(fresh);
  else if (GetFocus() != focus && IsWindow(focus))
    SetFocus(focus);
  if (isWindow) entry->live->hwnd = fresh;
}
