// CooperativeWait: a delay that keeps the windows alive. While it waits it
// handles every message that arrives, so the progress view repaints and the
// title drag, minimise and close buttons keep working.
#pragma once

#include <cstdint>

// Waits `microseconds` (a relative waitable timer, set once), handling
// messages as they come. A negative or zero delay returns as soon as the
// timer, already due, is seen.
void CooperativeWait(int32_t microseconds);

// The due time handed to the timer: the delay times -10.0, truncated toward
// zero (100000 microseconds: -1000000, a relative 0.1 s).
int64_t CooperativeWaitDueTime(int32_t microseconds);
