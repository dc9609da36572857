#include "widgets/window/window_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

void SetWindowBorderStyle(WindowProperties* properties, int32_t value) {
  properties->borderStyle = ClampChoice(value, 0, 6);
}

void SetWindowBackPictureMode(WindowProperties* properties, int32_t value) {
  properties->backPictureMode = ClampChoice(value, 0, 3);
}

void SetWindowStartPosition(WindowProperties* properties, int32_t value) {
  properties->startPosition = ClampChoice(value, 0, 3);
}

void ClampWindowProperties(WindowProperties* properties) {
  SetWindowBorderStyle(properties, properties->borderStyle);
  SetWindowBackPictureMode(properties, properties->backPictureMode);
  SetWindowStartPosition(properties, properties->startPosition);
}

bool ReadWindowProperties(ByteBlock block, WindowProperties* out) {
  *out = WindowProperties{};
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kWindowBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  WindowProperties read;
  cursor.ReadInt32(&read.borderStyle);
  cursor.ReadInt32(&read.backPictureMode);
  ReadColour(cursor, &read.backColor);
  ReadLogical(cursor, &read.maxButton);
  ReadLogical(cursor, &read.minButton);
  ReadLogical(cursor, &read.controlBox);
  cursor.ReadInt32(&read.startPosition);
  ReadLogical(cursor, &read.movable);
  cursor.ReadInt32(&read.soundRepeat);
  ReadLogical(cursor, &read.enterMovesFocus);
  ReadLogical(cursor, &read.escCloses);
  ReadLogical(cursor, &read.f1OpensHelp);
  cursor.ReadInt32(&read.helpContext);
  if (version >= 2) ReadLogical(cursor, &read.showInTaskbar);
  if (version >= 3) {
    ReadLogical(cursor, &read.dragAnywhere);
    cursor.ReadInt32(&read.shape);
  }
  if (version >= 4) ReadLogical(cursor, &read.alwaysOnTop);
  if (version >= 5) ReadLogical(cursor, &read.storedOnly);
  if (version >= 6) cursor.ReadCountedText(&read.className);
  cursor.ReadCounted(&read.backPicture);
  cursor.ReadCounted(&read.icon);
  cursor.ReadCounted(&read.backSound);
  cursor.ReadCountedText(&read.caption);
  cursor.ReadCountedText(&read.helpFile);
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteWindowProperties(const WindowProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kWindowBlockVersion, &block);
  AppendInt32(properties.borderStyle, &block);
  AppendInt32(properties.backPictureMode, &block);
  AppendColour(properties.backColor, &block);
  AppendLogical(properties.maxButton, &block);
  AppendLogical(properties.minButton, &block);
  AppendLogical(properties.controlBox, &block);
  AppendInt32(properties.startPosition, &block);
  AppendLogical(properties.movable, &block);
  AppendInt32(properties.soundRepeat, &block);
  AppendLogical(properties.enterMovesFocus, &block);
  AppendLogical(properties.escCloses, &block);
  AppendLogical(properties.f1OpensHelp, &block);
  AppendInt32(properties.helpContext, &block);
  AppendLogical(properties.showInTaskbar, &block);
  AppendLogical(properties.dragAnywhere, &block);
  AppendInt32(properties.shape, &block);
  AppendLogical(properties.alwaysOnTop, &block);
  AppendLogical(properties.storedOnly, &block);
  if (!AppendCountedText(properties.className, &block) ||
      !AppendCounted(properties.backPicture, &block) || !AppendCounted(properties.icon, &block) ||
      !AppendCounted(properties.backSound, &block) ||
      !AppendCountedText(properties.caption, &block) ||
      !AppendCountedText(properties.helpFile, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

const PropertyField kWindowFields[] = {
    Field<&WindowProperties::caption>("Caption", PropertyForm::Text),
    Field<&WindowProperties::borderStyle>("BorderStyle", PropertyForm::Integer),
    Field<&WindowProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&WindowProperties::backPicture>("BackPicture", PropertyForm::Picture),
    Field<&WindowProperties::backPictureMode>("BackPictureMode", PropertyForm::Integer),
    Field<&WindowProperties::backSound>("BackSound", PropertyForm::Picture),
    Field<&WindowProperties::soundRepeat>("SoundRepeat", PropertyForm::Integer),
    Field<&WindowProperties::controlBox>("ControlBox", PropertyForm::Logical),
    Field<&WindowProperties::maxButton>("MaxButton", PropertyForm::Logical),
    Field<&WindowProperties::minButton>("MinButton", PropertyForm::Logical),
    Field<&WindowProperties::startPosition>("StartPosition", PropertyForm::Integer),
    Field<&WindowProperties::movable>("Movable", PropertyForm::Logical),
    Field<&WindowProperties::icon>("Icon", PropertyForm::Picture),
    Field<&WindowProperties::enterMovesFocus>("EnterMovesFocus", PropertyForm::Logical),
    Field<&WindowProperties::escCloses>("EscCloses", PropertyForm::Logical),
    Field<&WindowProperties::f1OpensHelp>("F1OpensHelp", PropertyForm::Logical),
    Field<&WindowProperties::helpFile>("HelpFile", PropertyForm::Text),
    Field<&WindowProperties::helpContext>("HelpContext", PropertyForm::Integer),
    Field<&WindowProperties::showInTaskbar>("ShowInTaskbar", PropertyForm::Logical),
    Field<&WindowProperties::dragAnywhere>("DragAnywhere", PropertyForm::Logical),
    Field<&WindowProperties::shape>("Shape", PropertyForm::Integer),
    Field<&WindowProperties::alwaysOnTop>("AlwaysOnTop", PropertyForm::Logical),
    Field<&WindowProperties::storedOnly>("StoredOnly", PropertyForm::Logical),
    Field<&WindowProperties::className>("ClassName", PropertyForm::Text),
};
static_assert(sizeof kWindowFields / sizeof kWindowFields[0] == kWindowPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kWindowDescription =
    Describe<WindowProperties, ReadWindowProperties, WriteWindowProperties, ClampWindowProperties>(
        "window", 0x00010001, kWindowFields, kWindowBlockVersion);
