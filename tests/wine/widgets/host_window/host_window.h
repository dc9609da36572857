// A plain top-level host window for the widget tests: a topmost popup filled
// with its BackColor (its one property).
#pragma once

#include <cstdint>

#include "frame/unit_class.h"

constexpr uint32_t kHostWindowType = 0x00090010;
extern const UnitOperations kHostWindowUnit;

// The property block of a host window of that colour.
Bytes HostWindowBlock(uint32_t backColor);
