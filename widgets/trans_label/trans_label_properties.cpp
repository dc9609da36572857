#include "widgets/trans_label/trans_label_properties.h"

#include "widgets/common/property_fields.h"

void SetTransLabelEffect(TransLabelProperties* properties, int32_t value) {
  properties->effect = ClampChoice(value, 0, 3);
}

void SetTransLabelHAlign(TransLabelProperties* properties, int32_t value) {
  properties->hAlign = ClampChoice(value, 0, 2);
}

void SetTransLabelVAlign(TransLabelProperties* properties, int32_t value) {
  properties->vAlign = ClampChoice(value, 0, 2);
}

void ClampTransLabelProperties(TransLabelProperties* properties) {
  SetTransLabelEffect(properties, properties->effect);
  SetTransLabelHAlign(properties, properties->hAlign);
  SetTransLabelVAlign(properties, properties->vAlign);
}

namespace {

using P = TransLabelProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kTransLabelFields[] = {
    Field<&P::effect>(kTransLabelEffect, "Effect", PropertyForm::Integer),
    Field<&P::textColor>(kTransLabelTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::hAlign>(kTransLabelHAlign, "HAlign", PropertyForm::Integer),
    Field<&P::vAlign>(kTransLabelVAlign, "VAlign", PropertyForm::Integer),
    Field<&P::wordWrap>(kTransLabelWordWrap, "WordWrap", PropertyForm::Logical),
    Field<&P::font>(kTransLabelFont, "Font", PropertyForm::Font),
    Field<&P::caption>(kTransLabelCaption, "Caption", PropertyForm::Text),
};
static_assert(sizeof kTransLabelFields / sizeof kTransLabelFields[0] == kTransLabelPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kTransLabelDescription = Describe<P, ClampTransLabelProperties>(
    "TransLabel", 0x00030005, kTransLabelFields, kTransLabelBlockVersion);
