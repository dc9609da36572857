// The record with which a unit raises an event; the handler that the
// template binds to the event reads its arguments and sets its result here.
#pragma once

#include <cstdint>

#include "frame/template/template_records.h"

struct EventRecord {
  uint32_t window = 0;
  uint32_t unit = 0;  // 0 or the window's own identifier: the window itself
  int32_t event = 0;
  int argumentCount = 0;
  int32_t arguments[3] = {0, 0, 0};
  bool resultGiven = false;  // the handler returned a value
  int32_t result = 0;
};

// For handlers: return `value` from the event.
inline void ReturnFromEvent(EventRecord& event, int32_t value) {
  event.resultGiven = true;
  event.result = value;
}
