#include "widgets/trans_label/trans_label_properties.h"

#include "widgets/common/property_fields.h"

namespace {

using P = TransLabelProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kTransLabelFields[] = {
    IntegerIn<&P::effect>(kTransLabelEffect, "Effect", 0, 3),
    Field<&P::textColor>(kTransLabelTextColor, "TextColor", PropertyForm::Colour),
    IntegerIn<&P::hAlign>(kTransLabelHAlign, "HAlign", 0, 2),
    IntegerIn<&P::vAlign>(kTransLabelVAlign, "VAlign", 0, 2),
    Field<&P::wordWrap>(kTransLabelWordWrap, "WordWrap", PropertyForm::Logical),
    Field<&P::font>(kTransLabelFont, "Font", PropertyForm::Font),
    Field<&P::caption>(kTransLabelCaption, "Caption", PropertyForm::Text),
};
static_assert(sizeof kTransLabelFields / sizeof kTransLabelFields[0] == kTransLabelPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kTransLabelDescription =
    Describe<P>("TransLabel", 0x00030005, kTransLabelFields, kTransLabelBlockVersion);
