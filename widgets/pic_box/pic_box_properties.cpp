#include "widgets/pic_box/pic_box_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetPicBoxBorder(PicBoxProperties* properties, int32_t value) {
  properties->border = ClampChoice(value, 0, 5);
}

void SetPicBoxDisplayMode(PicBoxProperties* properties, int32_t value) {
  properties->displayMode = ClampChoice(value, 0, 2);
}

void ClampPicBoxProperties(PicBoxProperties* properties) {
  SetPicBoxBorder(properties, properties->border);
  SetPicBoxDisplayMode(properties, properties->displayMode);
}

bool ReadPicBoxProperties(ByteBlock block, PicBoxProperties* out) {
  *out = PicBoxProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kPicBoxBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  PicBoxProperties read;
  cursor.ReadInt32(&read.border);
  ReadColour(cursor, &read.backColor);
  cursor.ReadInt32(&read.displayMode);
  ReadLogical(cursor, &read.playAnimation);
  cursor.ReadCounted(&read.picture);
  if (version >= 2) {
    cursor.ReadCountedText(&read.dataSource);
    cursor.ReadCountedText(&read.dataColumn);
  }
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WritePicBoxProperties(const PicBoxProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kPicBoxBlockVersion, &block);
  AppendInt32(properties.border, &block);
  AppendColour(properties.backColor, &block);
  AppendInt32(properties.displayMode, &block);
  AppendLogical(properties.playAnimation, &block);
  if (!AppendCounted(properties.picture, &block) ||
      !AppendCountedText(properties.dataSource, &block) ||
      !AppendCountedText(properties.dataColumn, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kPicBoxFields[] = {
    Field<&PicBoxProperties::border>("Border", PropertyForm::Integer),
    Field<&PicBoxProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&PicBoxProperties::picture>("Picture", PropertyForm::Picture),
    Field<&PicBoxProperties::displayMode>("DisplayMode", PropertyForm::Integer),
    Field<&PicBoxProperties::playAnimation>("PlayAnimation", PropertyForm::Logical),
    Field<&PicBoxProperties::dataSource>("DataSource", PropertyForm::Text),
    Field<&PicBoxProperties::dataColumn>("DataColumn", PropertyForm::Text),
};
static_assert(sizeof kPicBoxFields / sizeof kPicBoxFields[0] == kPicBoxPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kPicBoxDescription =
    Describe<PicBoxProperties, ReadPicBoxProperties, WritePicBoxProperties, ClampPicBoxProperties>(
        "PicBox", 0x00010006, kPicBoxFields, kPicBoxBlockVersion);
