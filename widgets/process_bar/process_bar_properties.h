// The own properties of a progress bar (ProcessBar) and their stored block:
// the record a progress bar is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "widgets/common/property_block.h"

constexpr int32_t kProcessBarBlockVersion = 1;
// The common-controls progress bar takes 16-bit bounds.
constexpr int32_t kProcessBarLimit = 32767;

// Unit indexes (property table index - 8).
enum ProcessBarProperty : int {
  kProcessBarBorder,
  kProcessBarVertical,
  kProcessBarSmooth,
  kProcessBarMinimum,
  kProcessBarMaximum,
  kProcessBarPosition,
  kProcessBarPropertyCount,
};

struct ProcessBarProperties {
  int32_t border = 3;    // unit border style 0..5; 3 = static edge
  int32_t vertical = 0;  // choice 0..1
  int32_t smooth = 0;    // choice 0..1
  int32_t minimum = 0;
  int32_t maximum = 100;
  int32_t position = 0;
};

// The range the bar shows: the bounds in either order.
struct ProcessBarRange {
  int32_t low = 0;
  int32_t high = 0;
};
ProcessBarRange ProcessBarRangeOf(const ProcessBarProperties& properties);

// How far along the bar `position` is, in whole percent (0 to 100, rounded
// down), as a screen reader reads a progress bar's value; a position outside
// the range counts as its nearer end, and a range of one value as 0.
int32_t ProcessBarPercent(ProcessBarRange range, int32_t position);

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kProcessBarDescription;
inline const UnitDescription& DescriptionOf(const ProcessBarProperties&) {
  return kProcessBarDescription;
}
