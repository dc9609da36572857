#include "widgets/process_bar/process_bar_properties.h"

#include "widgets/common/property_fields.h"

ProcessBarRange ProcessBarRangeOf(const ProcessBarProperties& properties) {
  ProcessBarRange range;
  range.low = properties.minimum < properties.maximum ? properties.minimum : properties.maximum;
  range.high = properties.minimum < properties.maximum ? properties.maximum : properties.minimum;
  return range;
}

void SetProcessBarBorder(ProcessBarProperties* properties, int32_t value) {
  properties->border = ClampChoice(value, 0, 5);
}

void SetProcessBarMinimum(ProcessBarProperties* properties, int32_t value) {
  properties->minimum = ClampChoice(value, 0, kProcessBarLimit);
}

void SetProcessBarMaximum(ProcessBarProperties* properties, int32_t value) {
  properties->maximum = ClampChoice(value, 0, kProcessBarLimit);
}

void SetProcessBarPosition(ProcessBarProperties* properties, int32_t value) {
  const ProcessBarRange range = ProcessBarRangeOf(*properties);
  properties->position =
      ClampChoice(ClampChoice(value, 0, kProcessBarLimit), range.low, range.high);
}

void ClampProcessBarProperties(ProcessBarProperties* properties) {
  SetProcessBarBorder(properties, properties->border);
  SetProcessBarMinimum(properties, properties->minimum);
  SetProcessBarMaximum(properties, properties->maximum);
  SetProcessBarPosition(properties, properties->position);
}

namespace {

using P = ProcessBarProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kProcessBarFields[] = {
    Field<&P::border>(kProcessBarBorder, "Border", PropertyForm::Integer),
    Field<&P::vertical>(kProcessBarVertical, "Vertical", PropertyForm::Integer),
    Field<&P::smooth>(kProcessBarSmooth, "Smooth", PropertyForm::Integer),
    Field<&P::minimum>(kProcessBarMinimum, "Minimum", PropertyForm::Integer),
    Field<&P::maximum>(kProcessBarMaximum, "Maximum", PropertyForm::Integer),
    Field<&P::position>(kProcessBarPosition, "Position", PropertyForm::Integer),
};
static_assert(sizeof kProcessBarFields / sizeof kProcessBarFields[0] == kProcessBarPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kProcessBarDescription = Describe<P, ClampProcessBarProperties>(
    "ProcessBar", 0x00010013, kProcessBarFields, kProcessBarBlockVersion);
