#include "widgets/label/label_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetLabelEffect(LabelProperties* properties, int32_t value) {
  properties->effect = ClampChoice(value, 0, 3);
}

void SetLabelBorderWidth(LabelProperties* properties, int32_t value) {
  properties->borderWidth = value < kLabelMinimumBorderWidth ? kLabelMinimumBorderWidth : value;
}

void SetLabelHAlign(LabelProperties* properties, int32_t value) {
  properties->hAlign = ClampChoice(value, 0, 2);
}

void SetLabelVAlign(LabelProperties* properties, int32_t value) {
  properties->vAlign = ClampChoice(value, 0, 2);
}

void ClampLabelProperties(LabelProperties* properties) {
  SetLabelEffect(properties, properties->effect);
  SetLabelBorderWidth(properties, properties->borderWidth);
  SetLabelHAlign(properties, properties->hAlign);
  SetLabelVAlign(properties, properties->vAlign);
}

bool ReadLabelProperties(ByteBlock block, LabelProperties* out) {
  *out = LabelProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kLabelBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  LabelProperties read;
  cursor.ReadInt32(&read.effect);
  cursor.ReadInt32(&read.borderWidth);
  cursor.ReadInt32(&read.border);
  ReadColour(cursor, &read.borderColor1);
  ReadColour(cursor, &read.borderColor2);
  ReadColour(cursor, &read.borderColor3);
  ReadColour(cursor, &read.textColor);
  ReadColour(cursor, &read.backColor);
  cursor.ReadInt32(&read.pictureMode);
  cursor.ReadInt32(&read.gradient);
  ReadColour(cursor, &read.gradientColor1);
  ReadColour(cursor, &read.gradientColor2);
  ReadColour(cursor, &read.gradientColor3);
  cursor.ReadInt32(&read.hAlign);
  cursor.ReadInt32(&read.vAlign);
  ReadLogical(cursor, &read.wordWrap);
  cursor.ReadCounted(&read.font);
  cursor.ReadCounted(&read.picture);
  cursor.ReadCountedText(&read.caption);
  if (version >= 2) {
    cursor.ReadCountedText(&read.dataSource);
    cursor.ReadCountedText(&read.dataColumn);
  }
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteLabelProperties(const LabelProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kLabelBlockVersion, &block);
  AppendInt32(properties.effect, &block);
  AppendInt32(properties.borderWidth, &block);
  AppendInt32(properties.border, &block);
  AppendColour(properties.borderColor1, &block);
  AppendColour(properties.borderColor2, &block);
  AppendColour(properties.borderColor3, &block);
  AppendColour(properties.textColor, &block);
  AppendColour(properties.backColor, &block);
  AppendInt32(properties.pictureMode, &block);
  AppendInt32(properties.gradient, &block);
  AppendColour(properties.gradientColor1, &block);
  AppendColour(properties.gradientColor2, &block);
  AppendColour(properties.gradientColor3, &block);
  AppendInt32(properties.hAlign, &block);
  AppendInt32(properties.vAlign, &block);
  AppendLogical(properties.wordWrap, &block);
  if (!AppendCounted(properties.font, &block) || !AppendCounted(properties.picture, &block) ||
      !AppendCountedText(properties.caption, &block) ||
      !AppendCountedText(properties.dataSource, &block) ||
      !AppendCountedText(properties.dataColumn, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kLabelFields[] = {
    Field<&LabelProperties::caption>("Caption", PropertyForm::Text),
    Field<&LabelProperties::effect>("Effect", PropertyForm::Integer),
    Field<&LabelProperties::border>("Border", PropertyForm::Integer),
    Field<&LabelProperties::borderWidth>("BorderWidth", PropertyForm::Integer),
    Field<&LabelProperties::borderColor1>("BorderColor1", PropertyForm::Colour),
    Field<&LabelProperties::borderColor2>("BorderColor2", PropertyForm::Colour),
    Field<&LabelProperties::borderColor3>("BorderColor3", PropertyForm::Colour),
    Field<&LabelProperties::font>("Font", PropertyForm::Font),
    Field<&LabelProperties::textColor>("TextColor", PropertyForm::Colour),
    Field<&LabelProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&LabelProperties::picture>("Picture", PropertyForm::Picture),
    Field<&LabelProperties::pictureMode>("PictureMode", PropertyForm::Integer),
    Field<&LabelProperties::gradient>("Gradient", PropertyForm::Integer),
    Field<&LabelProperties::gradientColor1>("GradientColor1", PropertyForm::Colour),
    Field<&LabelProperties::gradientColor2>("GradientColor2", PropertyForm::Colour),
    Field<&LabelProperties::gradientColor3>("GradientColor3", PropertyForm::Colour),
    Field<&LabelProperties::hAlign>("HAlign", PropertyForm::Integer),
    Field<&LabelProperties::wordWrap>("WordWrap", PropertyForm::Logical),
    Field<&LabelProperties::vAlign>("VAlign", PropertyForm::Integer),
    Field<&LabelProperties::dataSource>("DataSource", PropertyForm::Text),
    Field<&LabelProperties::dataColumn>("DataColumn", PropertyForm::Text),
};
static_assert(sizeof kLabelFields / sizeof kLabelFields[0] == kLabelPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kLabelDescription =
    Describe<LabelProperties, ReadLabelProperties, WriteLabelProperties, ClampLabelProperties>(
        "Label", 0x0001000A, kLabelFields, kLabelBlockVersion);
