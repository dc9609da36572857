#include "widgets/label/label_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = LabelProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kLabelFields[] = {
    IntegerIn<&P::effect>(kLabelEffect, "Effect", 0, 3),
    IntegerIn<&P::borderWidth>(kLabelBorderWidth, "BorderWidth", kLabelMinimumBorderWidth,
                               INT32_MAX),
    IntegerIn<&P::border>(kLabelBorder, "Border", 0, kLabelOwnBand),
    Field<&P::borderColor1>(kLabelBorderColor1, "BorderColor1", PropertyForm::Colour),
    Field<&P::borderColor2>(kLabelBorderColor2, "BorderColor2", PropertyForm::Colour),
    Field<&P::borderColor3>(kLabelBorderColor3, "BorderColor3", PropertyForm::Colour),
    Field<&P::textColor>(kLabelTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::backColor>(kLabelBackColor, "BackColor", PropertyForm::Colour),
    IntegerIn<&P::pictureMode>(kLabelPictureMode, "PictureMode", kPictureAtTopLeft, kPictureFitted),
    Field<&P::gradient>(kLabelGradient, "Gradient", PropertyForm::Integer),
    Field<&P::gradientColor1>(kLabelGradientColor1, "GradientColor1", PropertyForm::Colour),
    Field<&P::gradientColor2>(kLabelGradientColor2, "GradientColor2", PropertyForm::Colour),
    Field<&P::gradientColor3>(kLabelGradientColor3, "GradientColor3", PropertyForm::Colour),
    IntegerIn<&P::hAlign>(kLabelHAlign, "HAlign", 0, 2),
    IntegerIn<&P::vAlign>(kLabelVAlign, "VAlign", 0, 2),
    Field<&P::wordWrap>(kLabelWordWrap, "WordWrap", PropertyForm::Logical),
    Field<&P::font>(kLabelFont, "Font", PropertyForm::Font),
    Field<&P::picture>(kLabelPicture, "Picture", PropertyForm::Picture),
    Field<&P::caption>(kLabelCaption, "Caption", PropertyForm::Text),
    Field<&P::dataSource>(kLabelDataSource, "DataSource", PropertyForm::Text, 2),
    Field<&P::dataColumn>(kLabelDataColumn, "DataColumn", PropertyForm::Text, 2),
};
static_assert(sizeof kLabelFields / sizeof kLabelFields[0] == kLabelPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kLabelDescription =
    Describe<P>("Label", 0x0001000A, kLabelFields, kLabelBlockVersion);
