#include "frame/events.h"

#include "frame/app_state.h"
#include "frame/runtime_error.h"
#include "frame/runtime_error_text.h"
#include "frame/template/template_reader.h"
#include "frame/unit_class.h"
#include "frame/window_list.h"

EventRecord MakeEvent(uint32_t window, uint32_t unit, int32_t event, int argumentCount, int32_t a0,
                      int32_t a1, int32_t a2) {
  EventRecord record;
  record.window = window;
  record.unit = unit;
  record.event = event;
  record.argumentCount = argumentCount;
  record.arguments[0] = a0;
  record.arguments[1] = a1;
  record.arguments[2] = a2;
  return record;
}

void HoldEvents() { ++App().eventHoldCount; }
void ReleaseEvents() {
  if (App().eventHoldCount > 0) --App().eventHoldCount;
}

bool RaiseEvent(EventRecord& event) {
  AppState& app = App();
  event.resultGiven = false;
  event.result = 0;
  if (app.eventHoldCount != 0) return false;
  WindowEntry* window = FindWindowEntry(event.window);
  if (!window) ReportRuntimeError(kEventWindowMissing, 0, event.window, event.unit);
  TemplateRecord* record = FindUnitRecord(window, event.unit);
  if (!record) ReportRuntimeError(kEventUnitMissing, 0, event.window, event.unit);
  // A unit of a loaded window answers for its class; a record of a window
  // that is not loaded can only be named by the frame itself.
  if (LiveUnit* unit = LiveUnitOf(window, record)) {
    if (unit->operations && !unit->operations->raisesEvents)
      ReportRuntimeError(kEventUnitInvalid, 0, event.window, event.unit);
  }
  EventHandler handler = FindHandler(window->window, *record, event.event);
  if (!handler) return false;
  // Handlers nest (ProcessEvents, message boxes): each restores the source
  // of the handler it interrupted.
  const uint32_t outerWindow = app.currentEventWindow, outerUnit = app.currentEventUnit;
  app.currentEventWindow = event.window;
  app.currentEventUnit = event.unit;
  handler(event);
  app.currentEventWindow = outerWindow;
  app.currentEventUnit = outerUnit;
  return true;
}

EventRecord RaiseUnitEvent(UnitIdentity unit, int32_t event, int argumentCount, int32_t a0,
                           int32_t a1, int32_t a2) {
  EventRecord record = MakeEvent(unit.window, unit.unit, event, argumentCount, a0, a1, a2);
  RaiseEvent(record);
  return record;
}
