#include "widgets/pic_btn/pic_btn_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = PicBtnProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kPicBtnFields[] = {
    IntegerIn<&P::buttonKind>(kPicBtnButtonKind, "ButtonKind", 0, 1),
    Field<&P::checked>(kPicBtnChecked, "Checked", PropertyForm::Logical),
    Field<&P::transparentColor>(kPicBtnTransparentColor, "TransparentColor", PropertyForm::Colour),
    Field<&P::normalPicture>(kPicBtnNormalPicture, "NormalPicture", PropertyForm::Picture),
    Field<&P::hoverPicture>(kPicBtnHoverPicture, "HoverPicture", PropertyForm::Picture),
    Field<&P::pressedPicture>(kPicBtnPressedPicture, "PressedPicture", PropertyForm::Picture),
    Field<&P::disabledPicture>(kPicBtnDisabledPicture, "DisabledPicture", PropertyForm::Picture),
};
static_assert(sizeof kPicBtnFields / sizeof kPicBtnFields[0] == kPicBtnPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kPicBtnDescription =
    Describe<P>("PicBtn", 0x0001002D, kPicBtnFields, kPicBtnBlockVersion);
