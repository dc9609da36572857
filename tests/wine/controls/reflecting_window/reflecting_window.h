// A top-level window unit for the standard controls' tests: a captioned
// window that, as the product's window and picture box do, reflects its
// controls' notifications and colour requests back to them, clicks a button
// whose caption holds the Alt mnemonic pressed (BM_CLICK), and raises an
// event when the driver asks for a step of the scenario.
//
// Property block: int32 StartPosition (0 stored place, 1 centred), then the
// caption's bytes.
#pragma once

#include <cstdint>

#include "frame/unit_class.h"

constexpr uint32_t kReflectingWindowType = 0x00090011;

extern const UnitOperations kReflectingWindowUnit;
