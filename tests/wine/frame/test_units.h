// Unit classes for the frame's tests: a top-level window and a child pad,
// both writing what they see to the scenario's log.
#pragma once

#include <cstdint>

#include "frame/unit_class.h"

constexpr uint32_t kTestWindowType = 0x00090001;
constexpr uint32_t kTestPadType = 0x00090002;

// A pad answers it with wParam + lParam + 1000.
constexpr unsigned kPadSumMessage = 0x8000 + 5;

// A pad answers it by raising event 6 in the name of a unit its window does
// not have.
constexpr unsigned kPadStrayEventMessage = 0x8000 + 6;
constexpr uint32_t kStrayUnit = 0x16010099;
constexpr uint32_t kStrayWindow = 0x52010009;
// A pad answers it by logging which pointer its thread shows.
constexpr unsigned kPadReportCursorMessage = 0x8000 + 7;
// A unit of this class raises events although its class says it raises none.
constexpr uint32_t kSilentPadType = 0x00090003;
// A test window that, as a dialog does, gives the focus to its topmost unit
// when it is activated.
constexpr uint32_t kFocusingWindowType = 0x00090004;

// The test window's property block: int32 StartPosition (0 stored place,
// 1 centred, 2 minimised), then the caption's bytes.
// The pad's block is empty.
void RegisterTestUnitClasses();

// Appends one line to the scenario's log.
void LogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void SetLogPath(const char* path);
