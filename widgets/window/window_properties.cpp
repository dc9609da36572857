#include "widgets/window/window_properties.h"

#include "widgets/common/property_fields.h"

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

namespace {

using P = WindowProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kWindowFields[] = {
    Field<&P::borderStyle>(kWindowBorderStyle, "BorderStyle", PropertyForm::Integer),
    Field<&P::backPictureMode>(kWindowBackPictureMode, "BackPictureMode", PropertyForm::Integer),
    Field<&P::backColor>(kWindowBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::maxButton>(kWindowMaxButton, "MaxButton", PropertyForm::Logical),
    Field<&P::minButton>(kWindowMinButton, "MinButton", PropertyForm::Logical),
    Field<&P::controlBox>(kWindowControlBox, "ControlBox", PropertyForm::Logical),
    Field<&P::startPosition>(kWindowStartPosition, "StartPosition", PropertyForm::Integer),
    Field<&P::movable>(kWindowMovable, "Movable", PropertyForm::Logical),
    Field<&P::soundRepeat>(kWindowSoundRepeat, "SoundRepeat", PropertyForm::Integer),
    Field<&P::enterMovesFocus>(kWindowEnterMovesFocus, "EnterMovesFocus", PropertyForm::Logical),
    Field<&P::escCloses>(kWindowEscCloses, "EscCloses", PropertyForm::Logical),
    Field<&P::f1OpensHelp>(kWindowF1OpensHelp, "F1OpensHelp", PropertyForm::Logical),
    Field<&P::helpContext>(kWindowHelpContext, "HelpContext", PropertyForm::Integer),
    Field<&P::showInTaskbar>(kWindowShowInTaskbar, "ShowInTaskbar", PropertyForm::Logical, 2),
    Field<&P::dragAnywhere>(kWindowDragAnywhere, "DragAnywhere", PropertyForm::Logical, 3),
    Field<&P::shape>(kWindowShape, "Shape", PropertyForm::Integer, 3),
    Field<&P::alwaysOnTop>(kWindowAlwaysOnTop, "AlwaysOnTop", PropertyForm::Logical, 4),
    Field<&P::storedOnly>(kWindowStoredOnly, "StoredOnly", PropertyForm::Logical, 5),
    Field<&P::className>(kWindowClassName, "ClassName", PropertyForm::Text, 6),
    Field<&P::backPicture>(kWindowBackPicture, "BackPicture", PropertyForm::Picture),
    Field<&P::icon>(kWindowIcon, "Icon", PropertyForm::Picture),
    Field<&P::backSound>(kWindowBackSound, "BackSound", PropertyForm::Picture),
    Field<&P::caption>(kWindowCaption, "Caption", PropertyForm::Text),
    Field<&P::helpFile>(kWindowHelpFile, "HelpFile", PropertyForm::Text),
};
static_assert(sizeof kWindowFields / sizeof kWindowFields[0] == kWindowPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kWindowDescription =
    Describe<P, ClampWindowProperties>("window", 0x00010001, kWindowFields, kWindowBlockVersion);
