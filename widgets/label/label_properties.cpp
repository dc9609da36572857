#include "widgets/label/label_properties.h"

#include "widgets/common/property_fields.h"

void SetLabelEffect(LabelProperties* properties, int32_t value) {
  properties->effect = ClampChoice(value, 0, 3);
}

void SetLabelBorderWidth(LabelProperties* properties, int32_t value) {
  properties->borderWidth = value < kLabelMinimumBorderWidth ? kLabelMinimumBorderWidth : value;
}

void SetLabelHAlign(LabelProperties* properties, int32_t value) {
  properties->hAlign = ClampChoice(value, 0, 2);
}

void SetLabelVAlign(LabelProperties* properties, int32_t value) {
  properties->vAlign = ClampChoice(value, 0, 2);
}

void ClampLabelProperties(LabelProperties* properties) {
  SetLabelEffect(properties, properties->effect);
  SetLabelBorderWidth(properties, properties->borderWidth);
  SetLabelHAlign(properties, properties->hAlign);
  SetLabelVAlign(properties, properties->vAlign);
}

namespace {

using P = LabelProperties;

// The property table, in the order of the stored block
// (frame/property_codec.h); a row's last number is the version that first
// stores it.
constexpr PropertyField kLabelFields[] = {
    Field<&P::effect>(kLabelEffect, "Effect", PropertyForm::Integer),
    Field<&P::borderWidth>(kLabelBorderWidth, "BorderWidth", PropertyForm::Integer),
    Field<&P::border>(kLabelBorder, "Border", PropertyForm::Integer),
    Field<&P::borderColor1>(kLabelBorderColor1, "BorderColor1", PropertyForm::Colour),
    Field<&P::borderColor2>(kLabelBorderColor2, "BorderColor2", PropertyForm::Colour),
    Field<&P::borderColor3>(kLabelBorderColor3, "BorderColor3", PropertyForm::Colour),
    Field<&P::textColor>(kLabelTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::backColor>(kLabelBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::pictureMode>(kLabelPictureMode, "PictureMode", PropertyForm::Integer),
    Field<&P::gradient>(kLabelGradient, "Gradient", PropertyForm::Integer),
    Field<&P::gradientColor1>(kLabelGradientColor1, "GradientColor1", PropertyForm::Colour),
    Field<&P::gradientColor2>(kLabelGradientColor2, "GradientColor2", PropertyForm::Colour),
    Field<&P::gradientColor3>(kLabelGradientColor3, "GradientColor3", PropertyForm::Colour),
    Field<&P::hAlign>(kLabelHAlign, "HAlign", PropertyForm::Integer),
    Field<&P::vAlign>(kLabelVAlign, "VAlign", PropertyForm::Integer),
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
    Describe<P, ClampLabelProperties>("Label", 0x0001000A, kLabelFields, kLabelBlockVersion);
