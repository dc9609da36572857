#include "frame/runtime_error.h"

#include <windows.h>

#include "frame/app_state.h"
#include "frame/runtime_error_text.h"
#include "frame/shutdown.h"
#include "frame/unit_class.h"
#include "frame/window_list.h"
#include "services/wide_text.h"

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

void ReportRuntimeError(const Text& message, int32_t code, uint32_t window, uint32_t unit,
                        ReportBox box) {
  // Never lowered again: the clicks made while the box is open, and whatever
  // the shutdown destroys, raise nothing.
  ++App().eventHoldCount;
  const Text text = RuntimeErrorText(message, code, LocationOf(window, unit));
  // A box of the system's is drawn on the user's desktop by the system, so
  // that nothing is loaded into this process to show it.
  const UINT shownBy = box == ReportBox::OfTheSystem ? MB_SERVICE_NOTIFICATION : 0;
  MessageBoxW(nullptr, WideText(text).c_str(), WideText(kRuntimeErrorCaption).c_str(),
              MB_ICONERROR | shownBy);
  EndProgram(-1);
}

void ReportClassNotRegistered(const char* className) {
  ReportRuntimeError(ClassNotRegisteredText(className), 0, 0, 0);
}
