#include "frame/runtime_error.h"

#include <windows.h>

#include "frame/app_state.h"
#include "frame/runtime_error_text.h"
#include "frame/shutdown.h"
#include "frame/window_list.h"

namespace {

ErrorLocation LocationOf(uint32_t windowId, uint32_t unitId) {
  ErrorLocation location;
  location.window = int32_t(windowId);
  location.unit = int32_t(unitId);
  if (!IsWindowKindIdentifier(location.window)) return location;
  WindowEntry* window = FindWindowEntry(windowId);
  if (!window) return location;
  location.windowFound = true;
  location.windowName = window->window.name;
  if (TemplateRecord* record = FindUnitRecord(window, unitId)) {
    location.unitFound = true;
    location.unitName = record->name;
  }
  return location;
}

}  // namespace

void ReportRuntimeError(const Text& message, int32_t code, uint32_t window, uint32_t unit) {
  // Never lowered again: the clicks made while the box is open, and whatever
  // the shutdown destroys, raise nothing.
  ++App().eventHoldCount;
  const Text text = RuntimeErrorText(message, code, LocationOf(window, unit));
  MessageBoxA(nullptr, text.c_str(), kRuntimeErrorCaption, MB_ICONERROR);
  EndProgram(-1);
}
