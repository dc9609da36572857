// Raising an event: from a unit or the frame to the handler that the
// template binds to it.
#pragma once

#include <cstdint>

#include "frame/event_record.h"

// Calls the bound handler and fills the record's result fields. Answers
// whether a handler ran: false while events are held or when nothing is
// bound. A record naming a window or unit that does not exist, or a unit
// whose class raises no events, is a run-time error.
bool RaiseEvent(EventRecord& event);

// Shorthand for an event with up to three arguments.
EventRecord MakeEvent(uint32_t window, uint32_t unit, int32_t event, int argumentCount = 0,
                      int32_t a0 = 0, int32_t a1 = 0, int32_t a2 = 0);

// Held while a window is being created, and for good once a run-time error
// is being reported.
void HoldEvents();
void ReleaseEvents();
