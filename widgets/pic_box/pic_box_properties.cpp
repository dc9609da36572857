#include "widgets/pic_box/pic_box_properties.h"

#include "widgets/common/property_fields.h"

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

namespace {

using P = PicBoxProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kPicBoxFields[] = {
    Field<&P::border>(kPicBoxBorder, "Border", PropertyForm::Integer),
    Field<&P::backColor>(kPicBoxBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::displayMode>(kPicBoxDisplayMode, "DisplayMode", PropertyForm::Integer),
    Field<&P::playAnimation>(kPicBoxPlayAnimation, "PlayAnimation", PropertyForm::Logical),
    Field<&P::picture>(kPicBoxPicture, "Picture", PropertyForm::Picture),
    Field<&P::dataSource>(kPicBoxDataSource, "DataSource", PropertyForm::Text, 2),
    Field<&P::dataColumn>(kPicBoxDataColumn, "DataColumn", PropertyForm::Text, 2),
};
static_assert(sizeof kPicBoxFields / sizeof kPicBoxFields[0] == kPicBoxPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kPicBoxDescription =
    Describe<P, ClampPicBoxProperties>("PicBox", 0x00010006, kPicBoxFields, kPicBoxBlockVersion);
