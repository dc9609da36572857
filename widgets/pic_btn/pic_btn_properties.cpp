#include "widgets/pic_btn/pic_btn_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetPicBtnButtonKind(PicBtnProperties* properties, int32_t value) {
  properties->buttonKind = ClampChoice(value, 0, 1);
}

void ClampPicBtnProperties(PicBtnProperties* properties) {
  SetPicBtnButtonKind(properties, properties->buttonKind);
}

bool ReadPicBtnProperties(ByteBlock block, PicBtnProperties* out) {
  *out = PicBtnProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kPicBtnBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  PicBtnProperties read;
  cursor.ReadInt32(&read.buttonKind);
  ReadLogical(cursor, &read.checked);
  ReadColour(cursor, &read.transparentColor);
  cursor.ReadCounted(&read.normalPicture);
  cursor.ReadCounted(&read.hoverPicture);
  cursor.ReadCounted(&read.pressedPicture);
  cursor.ReadCounted(&read.disabledPicture);
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WritePicBtnProperties(const PicBtnProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kPicBtnBlockVersion, &block);
  AppendInt32(properties.buttonKind, &block);
  AppendLogical(properties.checked, &block);
  AppendColour(properties.transparentColor, &block);
  if (!AppendCounted(properties.normalPicture, &block) ||
      !AppendCounted(properties.hoverPicture, &block) ||
      !AppendCounted(properties.pressedPicture, &block) ||
      !AppendCounted(properties.disabledPicture, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kPicBtnFields[] = {
    Field<&PicBtnProperties::buttonKind>("ButtonKind", PropertyForm::Integer),
    Field<&PicBtnProperties::checked>("Checked", PropertyForm::Logical),
    Field<&PicBtnProperties::normalPicture>("NormalPicture", PropertyForm::Picture),
    Field<&PicBtnProperties::hoverPicture>("HoverPicture", PropertyForm::Picture),
    Field<&PicBtnProperties::pressedPicture>("PressedPicture", PropertyForm::Picture),
    Field<&PicBtnProperties::disabledPicture>("DisabledPicture", PropertyForm::Picture),
    Field<&PicBtnProperties::transparentColor>("TransparentColor", PropertyForm::Colour),
};
static_assert(sizeof kPicBtnFields / sizeof kPicBtnFields[0] == kPicBtnPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kPicBtnDescription =
    Describe<PicBtnProperties, ReadPicBtnProperties, WritePicBtnProperties, ClampPicBtnProperties>(
        "PicBtn", 0x0001002D, kPicBtnFields, kPicBtnBlockVersion);
