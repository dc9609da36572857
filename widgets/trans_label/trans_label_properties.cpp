#include "widgets/trans_label/trans_label_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetTransLabelEffect(TransLabelProperties* properties, int32_t value) {
  properties->effect = ClampChoice(value, 0, 3);
}

void SetTransLabelHAlign(TransLabelProperties* properties, int32_t value) {
  properties->hAlign = ClampChoice(value, 0, 2);
}

void SetTransLabelVAlign(TransLabelProperties* properties, int32_t value) {
  properties->vAlign = ClampChoice(value, 0, 2);
}

void ClampTransLabelProperties(TransLabelProperties* properties) {
  SetTransLabelEffect(properties, properties->effect);
  SetTransLabelHAlign(properties, properties->hAlign);
  SetTransLabelVAlign(properties, properties->vAlign);
}

bool ReadTransLabelProperties(ByteBlock block, TransLabelProperties* out) {
  *out = TransLabelProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kTransLabelBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  TransLabelProperties read;
  cursor.ReadInt32(&read.effect);
  ReadColour(cursor, &read.textColor);
  cursor.ReadInt32(&read.hAlign);
  cursor.ReadInt32(&read.vAlign);
  ReadLogical(cursor, &read.wordWrap);
  cursor.ReadCounted(&read.font);
  cursor.ReadCountedText(&read.caption);
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteTransLabelProperties(const TransLabelProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kTransLabelBlockVersion, &block);
  AppendInt32(properties.effect, &block);
  AppendColour(properties.textColor, &block);
  AppendInt32(properties.hAlign, &block);
  AppendInt32(properties.vAlign, &block);
  AppendLogical(properties.wordWrap, &block);
  if (!AppendCounted(properties.font, &block) || !AppendCountedText(properties.caption, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kTransLabelFields[] = {
    Field<&TransLabelProperties::caption>("Caption", PropertyForm::Text),
    Field<&TransLabelProperties::effect>("Effect", PropertyForm::Integer),
    Field<&TransLabelProperties::font>("Font", PropertyForm::Font),
    Field<&TransLabelProperties::textColor>("TextColor", PropertyForm::Colour),
    Field<&TransLabelProperties::hAlign>("HAlign", PropertyForm::Integer),
    Field<&TransLabelProperties::wordWrap>("WordWrap", PropertyForm::Logical),
    Field<&TransLabelProperties::vAlign>("VAlign", PropertyForm::Integer),
};
static_assert(sizeof kTransLabelFields / sizeof kTransLabelFields[0] == kTransLabelPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kTransLabelDescription =
    Describe<TransLabelProperties, ReadTransLabelProperties, WriteTransLabelProperties,
             ClampTransLabelProperties>("TransLabel", 0x00030005, kTransLabelFields,
                                        kTransLabelBlockVersion);
