// A top-level window unit for the frame's tests: a captioned window that
// logs what the frame tells it and raises its moved and resized events. Its
// property block is in test_window_properties.h.
#pragma once

#include <cstdint>

#include "frame/unit_class.h"
#include "tests/wine/frame/test_window/test_window_properties.h"

// The same window that, as a dialog does, gives the focus to its topmost
// unit when it is activated.
constexpr uint32_t kFocusingWindowType = 0x00090004;

extern const UnitOperations kTestWindowUnit;
extern const UnitOperations kFocusingTestWindowUnit;
