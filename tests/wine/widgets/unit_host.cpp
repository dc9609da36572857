#include "tests/wine/widgets/unit_host.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "frame/app_state.h"
#include "frame/event_record.h"
#include "frame/window_list.h"
#include "frame/window_loader.h"
#include "frame/window_services.h"
#include "support/real_input.h"

namespace {

void RecordEvent(EventRecord& event) { RaisedEvents().push_back({event.unit, event.event}); }

}  // namespace

std::vector<RaisedEvent>& RaisedEvents() {
  static std::vector<RaisedEvent> events;
  return events;
}

int CountRaised(uint32_t unit, int32_t event) {
  return int(std::count_if(RaisedEvents().begin(), RaisedEvents().end(), [&](const RaisedEvent& e) {
    return e.unit == unit && e.event == event;
  }));
}

void BindRecorder(TemplateRecord* record, int32_t event) {
  Binding binding;
  binding.event = event;
  binding.reference = 1;
  binding.handler = RecordEvent;
  record->bindings.push_back(binding);
}

TemplateRecord HostWindowRecord(uint32_t identifier, int left, int top, int width, int height,
                                uint32_t backColor) {
  return UnitRecord(identifier, kHostWindowType, left, top, width, height, kUnitVisible,
                    HostWindowBlock(backColor));
}

HostedWindow::HostedWindow(uint32_t windowId, std::vector<TemplateRecord> records)
    : windowId_(windowId) {
  App().unitClasses = ProgramUnitClasses();
  std::unique_ptr<WindowEntry> entry(new WindowEntry);
  entry->window.identifier = int32_t(windowId);
  entry->window.kind = 1;
  entry->window.records = std::move(records);
  WindowEntry* raw = entry.get();
  WindowList().push_back(std::move(entry));
  loaded_ = LoadWindowFromTemplate(raw, nullptr, false);
  DispatchUntilIdle();
}

HostedWindow::~HostedWindow() {
  if (HWND hwnd = Window()) DestroyWindow(hwnd);
  auto& list = WindowList();
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (uint32_t((*it)->window.identifier) == windowId_) {
      list.erase(it);
      break;
    }
  }
  DispatchUntilIdle();
}

HWND HostedWindow::Window() const { return FindUnitWindow(WindowId{windowId_}); }
HWND HostedWindow::Unit(uint32_t unitId) const {
  return FindUnitWindow(UnitRef{WindowId{windowId_}, UnitId{unitId}});
}

// Magenta, which no test unit paints, so that an unpainted pixel shows.
Rendering::Rendering(HWND hwnd) : pixels_(PrintClient(hwnd, RGB(255, 0, 255))) {}
