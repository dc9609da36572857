#include "widgets/check_box/check_box_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = CheckBoxProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kCheckBoxFields[] = {
    Field<&P::pushLike>(kCheckBoxPushLike, "PushLike", PropertyForm::Logical),
    Field<&P::flat>(kCheckBoxFlat, "Flat", PropertyForm::Logical),
    Field<&P::textOnLeft>(kCheckBoxTextOnLeft, "TextOnLeft", PropertyForm::Logical),
    IntegerIn<&P::hAlign>(kCheckBoxHAlign, "HAlign", 0, 2),
    IntegerIn<&P::vAlign>(kCheckBoxVAlign, "VAlign", 0, 2),
    Field<&P::textColor>(kCheckBoxTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::backColor>(kCheckBoxBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::checked>(kCheckBoxChecked, "Checked", PropertyForm::Logical),
    Field<&P::picture>(kCheckBoxPicture, "Picture", PropertyForm::Picture),
    Field<&P::font>(kCheckBoxFont, "Font", PropertyForm::Font),
    Field<&P::caption>(kCheckBoxCaption, "Caption", PropertyForm::Text),
    Field<&P::dataSource>(kCheckBoxDataSource, "DataSource", PropertyForm::Text, 2),
    Field<&P::dataColumn>(kCheckBoxDataColumn, "DataColumn", PropertyForm::Text, 2),
};
static_assert(sizeof kCheckBoxFields / sizeof kCheckBoxFields[0] == kCheckBoxPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kCheckBoxDescription =
    Describe<P>("CheckBox", 0x0001000C, kCheckBoxFields, kCheckBoxBlockVersion);
