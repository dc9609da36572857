#include "widgets/pic_box/pic_box_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = PicBoxProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kPicBoxFields[] = {
    IntegerIn<&P::border>(kPicBoxBorder, "Border", 0, 5),
    Field<&P::backColor>(kPicBoxBackColor, "BackColor", PropertyForm::Colour),
    IntegerIn<&P::displayMode>(kPicBoxDisplayMode, "DisplayMode", 0, 2),
    Field<&P::playAnimation>(kPicBoxPlayAnimation, "PlayAnimation", PropertyForm::Logical),
    Field<&P::picture>(kPicBoxPicture, "Picture", PropertyForm::Picture),
    Field<&P::dataSource>(kPicBoxDataSource, "DataSource", PropertyForm::Text, 2),
    Field<&P::dataColumn>(kPicBoxDataColumn, "DataColumn", PropertyForm::Text, 2),
};
static_assert(sizeof kPicBoxFields / sizeof kPicBoxFields[0] == kPicBoxPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kPicBoxDescription =
    Describe<P>("PicBox", 0x00010006, kPicBoxFields, kPicBoxBlockVersion);
