#include "widgets/window/window_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = WindowProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kWindowFields[] = {
    IntegerIn<&P::borderStyle>(kWindowBorderStyle, "BorderStyle", 0, 6),
    IntegerIn<&P::backPictureMode>(kWindowBackPictureMode, "BackPictureMode", 0, 3),
    Field<&P::backColor>(kWindowBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::maxButton>(kWindowMaxButton, "MaxButton", PropertyForm::Logical),
    Field<&P::minButton>(kWindowMinButton, "MinButton", PropertyForm::Logical),
    Field<&P::controlBox>(kWindowControlBox, "ControlBox", PropertyForm::Logical),
    IntegerIn<&P::startPosition>(kWindowStartPosition, "StartPosition", 0, 3),
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
    Describe<P>("window", 0x00010001, kWindowFields, kWindowBlockVersion);
