// The property block of the test windows (the frame's test window and the
// control tests' reflecting window): int32 StartPosition (0 stored place,
// 1 centred, 2 minimised), then the caption's bytes.
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
#include "services/values.h"

struct TestWindowProperties {
  int32_t startPosition = 0;
  Text caption;
};

bool ReadTestWindowProperties(ByteBlock block, TestWindowProperties* out);
bool WriteTestWindowProperties(const TestWindowProperties& properties, Bytes* out);
void ClampTestWindowProperties(TestWindowProperties* properties);

// StartPosition, Caption.
extern const PropertyField kTestWindowFields[2];
