// The one clamp of the program: a choice property brought to its nearest
// choice, a position or size to the range Windows takes, a selection to the
// text. Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

// `value` brought into [low, high]; wide enough for a sum of two int32.
constexpr int32_t Clamp(int64_t value, int32_t low, int32_t high) {
  return value < low ? low : value > high ? high : int32_t(value);
}
