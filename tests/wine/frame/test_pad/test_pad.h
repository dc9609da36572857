// A child unit for the frame's tests: a coloured pad that logs the presses,
// characters and frame messages it sees, raises event 0 when released and
// answers a few test messages. It reads no block; its one property, Mark,
// asks for a new window whenever it changes.
#pragma once

#include <cstdint>

#include "frame/unit_class.h"

constexpr uint32_t kTestPadType = 0x00090002;
// A pad of this class raises events although its class says it raises none.
constexpr uint32_t kSilentPadType = 0x00090003;
// A pad whose window refuses its creation (WM_CREATE answers -1); it logs
// that its state is released.
constexpr uint32_t kRefusingPadType = 0x00090005;

// A pad answers it with wParam + lParam + 1000.
constexpr unsigned kPadSumMessage = 0x8000 + 5;
// A pad answers it by raising event 6 in the name of a unit its window does
// not have (wParam 1: of a window that does not exist either).
constexpr unsigned kPadStrayEventMessage = 0x8000 + 6;
constexpr uint32_t kStrayUnit = 0x16010099;
constexpr uint32_t kStrayWindow = 0x52010009;
// A pad answers it by logging which pointer its thread shows.
constexpr unsigned kPadReportCursorMessage = 0x8000 + 7;

extern const UnitOperations kTestPadUnit;
extern const UnitOperations kSilentPadUnit;
extern const UnitOperations kRefusingPadUnit;
