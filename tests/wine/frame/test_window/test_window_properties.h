// The property record of the test windows (the frame's test window and the
// control tests' reflecting window), and the class of the frame's test
// window, whose table and block the others share: StartPosition (0 stored
// place, 1 centred, 2 minimised) and Caption, in a block of version 1.
#pragma once

#include <cstdint>

#include "frame/property_codec.h"
#include "services/values.h"
#include "widgets/common/unit_window.h"

constexpr uint32_t kTestWindowType = 0x00090001;

struct TestWindowProperties {
  int32_t startPosition = 0;
  Text caption;
};

// StartPosition, Caption.
extern const PropertyField kTestWindowFields[2];
extern const UnitDescription kTestWindowDescription;
inline const UnitDescription& DescriptionOf(const TestWindowProperties&) {
  return kTestWindowDescription;
}

// What the test windows' classes share: double clicks, and the window
// colour as background.
UnitWindowClass TestWindowClass(const char* name);
// Where a test window goes: where `args` place it, or centred on the screen
// for StartPosition 1.
UnitCreateArgs TestWindowPlace(const UnitCreateArgs& args, const TestWindowProperties& properties);
