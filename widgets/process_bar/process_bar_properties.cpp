#include "widgets/process_bar/process_bar_properties.h"

#include "widgets/common/property_fields.h"

ProcessBarRange ProcessBarRangeOf(const ProcessBarProperties& properties) {
  ProcessBarRange range;
  range.low = properties.minimum < properties.maximum ? properties.minimum : properties.maximum;
  range.high = properties.minimum < properties.maximum ? properties.maximum : properties.minimum;
  return range;
}

int32_t ProcessBarPercent(ProcessBarRange range, int32_t position) {
  if (range.high <= range.low || position <= range.low) return 0;
  if (position >= range.high) return 100;
  // In 64 bits: the control takes 32-bit bounds when sent them directly.
  return int32_t((int64_t(position) - range.low) * 100 / (int64_t(range.high) - range.low));
}

namespace {

// The class's own rule, after the fields' ranges: the position lies within
// the range that the bounds give.
void ClampProcessBarPosition(ProcessBarProperties* properties) {
  const ProcessBarRange range = ProcessBarRangeOf(*properties);
  properties->position = ClampChoice(properties->position, range.low, range.high);
}

using P = ProcessBarProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kProcessBarFields[] = {
    IntegerIn<&P::border>(kProcessBarBorder, "Border", 0, 5),
    Field<&P::vertical>(kProcessBarVertical, "Vertical", PropertyForm::Integer),
    Field<&P::smooth>(kProcessBarSmooth, "Smooth", PropertyForm::Integer),
    IntegerIn<&P::minimum>(kProcessBarMinimum, "Minimum", 0, kProcessBarLimit),
    IntegerIn<&P::maximum>(kProcessBarMaximum, "Maximum", 0, kProcessBarLimit),
    IntegerIn<&P::position>(kProcessBarPosition, "Position", 0, kProcessBarLimit),
};
static_assert(sizeof kProcessBarFields / sizeof kProcessBarFields[0] == kProcessBarPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kProcessBarDescription = Describe<P, ClampProcessBarPosition>(
    "ProcessBar", 0x00010013, kProcessBarFields, kProcessBarBlockVersion);
