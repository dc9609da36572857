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

bool ReadProcessBarProperties(ByteBlock block, ProcessBarProperties* out) {
  *out = ProcessBarProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kProcessBarBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  ProcessBarProperties read;
  cursor.ReadInt32(&read.border);
  cursor.ReadInt32(&read.vertical);
  cursor.ReadInt32(&read.smooth);
  cursor.ReadInt32(&read.minimum);
  cursor.ReadInt32(&read.maximum);
  cursor.ReadInt32(&read.position);
  if (!cursor.Ok()) return false;
  *out = read;
  return true;
}

bool WriteProcessBarProperties(const ProcessBarProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kProcessBarBlockVersion, &block);
  AppendInt32(properties.border, &block);
  AppendInt32(properties.vertical, &block);
  AppendInt32(properties.smooth, &block);
  AppendInt32(properties.minimum, &block);
  AppendInt32(properties.maximum, &block);
  AppendInt32(properties.position, &block);
  out->swap(block);
  return true;
}

namespace {

const PropertyField kProcessBarFields[] = {
    Field<&ProcessBarProperties::border>("Border", PropertyForm::Integer),
    Field<&ProcessBarProperties::vertical>("Vertical", PropertyForm::Integer),
    Field<&ProcessBarProperties::smooth>("Smooth", PropertyForm::Integer),
    Field<&ProcessBarProperties::minimum>("Minimum", PropertyForm::Integer),
    Field<&ProcessBarProperties::maximum>("Maximum", PropertyForm::Integer),
    Field<&ProcessBarProperties::position>("Position", PropertyForm::Integer),
};
static_assert(sizeof kProcessBarFields / sizeof kProcessBarFields[0] == kProcessBarPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kProcessBarDescription =
    Describe<ProcessBarProperties, ReadProcessBarProperties, WriteProcessBarProperties,
             ClampProcessBarProperties>("ProcessBar", 0x00010013, kProcessBarFields,
                                        kProcessBarBlockVersion);
