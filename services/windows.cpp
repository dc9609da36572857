#include "services/windows.h"

#include "frame/frame_interface.h"

namespace {

bool IsTrue(const Value& value) {
  return (value.type == ValueType::Logical && value.logical) ||
         (value.type == ValueType::Integer && value.integer != 0);
}

UnitRef ReferenceOf(const Value& value) {
  return value.type == ValueType::Unit ? value.unit : UnitRef{};
}

}  // namespace

bool ProcessEvents() { return HandleWaitingMessages(); }

bool LoadWindow(const Value& window, const Value& owner, const Value& modal) {
  if (window.type != ValueType::Unit) return false;
  const uint32_t ownerId = owner.type == ValueType::Unit ? owner.unit.window : 0;
  return LoadWindowById(window.unit.window, ownerId, IsTrue(modal));
}

void DestroyUnit(const Value& unit, const Value& atOnce) {
  const UnitRef ref = ReferenceOf(unit);
  DestroyUnitById(ref.window, ref.unit, IsTrue(atOnce));
}

bool IsUnitLoaded(const Value& unit) {
  if (unit.type != ValueType::Unit) return false;
  return FindUnitWindow(unit.unit.window, unit.unit.unit) != nullptr;
}

int32_t SendUnitMessage(const Value& unit, int32_t message, int32_t wParam, int32_t lParam) {
  const UnitRef ref = ReferenceOf(unit);
  HWND hwnd = LoadedUnitWindow(ref.window, ref.unit);
  return int32_t(SendMessageA(hwnd, UINT(message), WPARAM(uint32_t(wParam)), LPARAM(lParam)));
}
