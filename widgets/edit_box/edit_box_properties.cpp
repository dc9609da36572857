#include "widgets/edit_box/edit_box_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetEditBoxMaxLength(EditBoxProperties* properties, int32_t value) {
  properties->maxLength = value < 0 ? 0 : value;
}

void ClampEditBoxProperties(EditBoxProperties* properties) {
  SetEditBoxMaxLength(properties, properties->maxLength);
}

bool ReadEditBoxProperties(ByteBlock block, EditBoxProperties* out) {
  *out = EditBoxProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kEditBoxBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  EditBoxProperties read;
  cursor.ReadInt32(&read.border);
  ReadColour(cursor, &read.textColor);
  ReadColour(cursor, &read.backColor);
  ReadLogical(cursor, &read.hideSelection);
  cursor.ReadInt32(&read.maxLength);
  ReadLogical(cursor, &read.multiLine);
  cursor.ReadInt32(&read.scrollBars);
  cursor.ReadInt32(&read.textAlign);
  cursor.ReadInt32(&read.inputMode);
  cursor.ReadUint16(&read.passwordChar);
  cursor.ReadInt32(&read.letterCase);
  cursor.ReadInt32(&read.spinButton);
  cursor.ReadInt32(&read.spinMin);
  cursor.ReadInt32(&read.spinMax);
  cursor.ReadInt32(&read.selStart);
  cursor.ReadInt32(&read.selLength);
  cursor.ReadCounted(&read.font);
  cursor.ReadCountedText(&read.content);
  if (version >= 2) {
    cursor.ReadCountedText(&read.dataSource);
    cursor.ReadCountedText(&read.dataColumn);
  }
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteEditBoxProperties(const EditBoxProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kEditBoxBlockVersion, &block);
  AppendInt32(properties.border, &block);
  AppendColour(properties.textColor, &block);
  AppendColour(properties.backColor, &block);
  AppendLogical(properties.hideSelection, &block);
  AppendInt32(properties.maxLength, &block);
  AppendLogical(properties.multiLine, &block);
  AppendInt32(properties.scrollBars, &block);
  AppendInt32(properties.textAlign, &block);
  AppendInt32(properties.inputMode, &block);
  AppendUint16(properties.passwordChar, &block);
  AppendInt32(properties.letterCase, &block);
  AppendInt32(properties.spinButton, &block);
  AppendInt32(properties.spinMin, &block);
  AppendInt32(properties.spinMax, &block);
  AppendInt32(properties.selStart, &block);
  AppendInt32(properties.selLength, &block);
  if (!AppendCounted(properties.font, &block) || !AppendCountedText(properties.content, &block) ||
      !AppendCountedText(properties.dataSource, &block) ||
      !AppendCountedText(properties.dataColumn, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kEditBoxFields[] = {
    Field<&EditBoxProperties::content>("Content", PropertyForm::Text),
    Field<&EditBoxProperties::border>("Border", PropertyForm::Integer),
    Field<&EditBoxProperties::textColor>("TextColor", PropertyForm::Colour),
    Field<&EditBoxProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&EditBoxProperties::font>("Font", PropertyForm::Font),
    Field<&EditBoxProperties::hideSelection>("HideSelection", PropertyForm::Logical),
    Field<&EditBoxProperties::maxLength>("MaxLength", PropertyForm::Integer),
    Field<&EditBoxProperties::multiLine>("MultiLine", PropertyForm::Logical),
    Field<&EditBoxProperties::scrollBars>("ScrollBars", PropertyForm::Integer),
    Field<&EditBoxProperties::textAlign>("TextAlign", PropertyForm::Integer),
    Field<&EditBoxProperties::inputMode>("InputMode", PropertyForm::Integer),
    Field<&EditBoxProperties::passwordChar>("PasswordChar", PropertyForm::Char16),
    Field<&EditBoxProperties::letterCase>("LetterCase", PropertyForm::Integer),
    Field<&EditBoxProperties::spinButton>("SpinButton", PropertyForm::Integer),
    Field<&EditBoxProperties::spinMin>("SpinMin", PropertyForm::Integer),
    Field<&EditBoxProperties::spinMax>("SpinMax", PropertyForm::Integer),
    Field<&EditBoxProperties::selStart>("SelStart", PropertyForm::Integer),
    Field<&EditBoxProperties::selLength>("SelLength", PropertyForm::Integer),
    RunTimeField("SelText", PropertyForm::Text),
    Field<&EditBoxProperties::dataSource>("DataSource", PropertyForm::Text),
    Field<&EditBoxProperties::dataColumn>("DataColumn", PropertyForm::Text),
};
static_assert(sizeof kEditBoxFields / sizeof kEditBoxFields[0] == kEditBoxPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kEditBoxDescription =
    Describe<EditBoxProperties, ReadEditBoxProperties, WriteEditBoxProperties,
             ClampEditBoxProperties>("EditBox", 0x00010005, kEditBoxFields, kEditBoxBlockVersion);
