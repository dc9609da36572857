#include "widgets/check_box/check_box_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetCheckBoxHAlign(CheckBoxProperties* properties, int32_t value) {
  properties->hAlign = ClampChoice(value, 0, 2);
}

void SetCheckBoxVAlign(CheckBoxProperties* properties, int32_t value) {
  properties->vAlign = ClampChoice(value, 0, 2);
}

void ClampCheckBoxProperties(CheckBoxProperties* properties) {
  SetCheckBoxHAlign(properties, properties->hAlign);
  SetCheckBoxVAlign(properties, properties->vAlign);
}

bool ReadCheckBoxProperties(ByteBlock block, CheckBoxProperties* out) {
  *out = CheckBoxProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kCheckBoxBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  CheckBoxProperties read;
  ReadLogical(cursor, &read.pushLike);
  ReadLogical(cursor, &read.flat);
  ReadLogical(cursor, &read.textOnLeft);
  cursor.ReadInt32(&read.hAlign);
  cursor.ReadInt32(&read.vAlign);
  ReadColour(cursor, &read.textColor);
  ReadColour(cursor, &read.backColor);
  ReadLogical(cursor, &read.checked);
  cursor.ReadCounted(&read.picture);
  cursor.ReadCounted(&read.font);
  cursor.ReadCountedText(&read.caption);
  if (version >= 2) {
    cursor.ReadCountedText(&read.dataSource);
    cursor.ReadCountedText(&read.dataColumn);
  }
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteCheckBoxProperties(const CheckBoxProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kCheckBoxBlockVersion, &block);
  AppendLogical(properties.pushLike, &block);
  AppendLogical(properties.flat, &block);
  AppendLogical(properties.textOnLeft, &block);
  AppendInt32(properties.hAlign, &block);
  AppendInt32(properties.vAlign, &block);
  AppendColour(properties.textColor, &block);
  AppendColour(properties.backColor, &block);
  AppendLogical(properties.checked, &block);
  if (!AppendCounted(properties.picture, &block) || !AppendCounted(properties.font, &block) ||
      !AppendCountedText(properties.caption, &block) ||
      !AppendCountedText(properties.dataSource, &block) ||
      !AppendCountedText(properties.dataColumn, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kCheckBoxFields[] = {
    Field<&CheckBoxProperties::picture>("Picture", PropertyForm::Picture),
    Field<&CheckBoxProperties::pushLike>("PushLike", PropertyForm::Logical),
    Field<&CheckBoxProperties::flat>("Flat", PropertyForm::Logical),
    Field<&CheckBoxProperties::caption>("Caption", PropertyForm::Text),
    Field<&CheckBoxProperties::textOnLeft>("TextOnLeft", PropertyForm::Logical),
    Field<&CheckBoxProperties::hAlign>("HAlign", PropertyForm::Integer),
    Field<&CheckBoxProperties::vAlign>("VAlign", PropertyForm::Integer),
    Field<&CheckBoxProperties::textColor>("TextColor", PropertyForm::Colour),
    Field<&CheckBoxProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&CheckBoxProperties::font>("Font", PropertyForm::Font),
    Field<&CheckBoxProperties::checked>("Checked", PropertyForm::Logical),
    Field<&CheckBoxProperties::dataSource>("DataSource", PropertyForm::Text),
    Field<&CheckBoxProperties::dataColumn>("DataColumn", PropertyForm::Text),
};
static_assert(sizeof kCheckBoxFields / sizeof kCheckBoxFields[0] == kCheckBoxPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kCheckBoxDescription =
    Describe<CheckBoxProperties, ReadCheckBoxProperties, WriteCheckBoxProperties,
             ClampCheckBoxProperties>("CheckBox", 0x0001000C, kCheckBoxFields,
                                      kCheckBoxBlockVersion);
