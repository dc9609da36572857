#include "widgets/hyperlinker/hyperlinker_properties.h"

#include "widgets/common/property_fields.h"

bool ReadHyperLinkerProperties(ByteBlock block, uint32_t highlightColour,
                               HyperLinkerProperties* out) {
  *out = HyperLinkerProperties{};
  out->hoverColor = highlightColour;
  return ReadPropertyBlock(kHyperLinkerDescription, block, out);
}

namespace {

using P = HyperLinkerProperties;

// The property table, in the order of the stored block (frame/property_codec.h).
constexpr PropertyField kHyperLinkerFields[] = {
    IntegerIn<&P::linkKind>(kHyperLinkerLinkKind, "LinkKind", 0, 1),
    Field<&P::textColor>(kHyperLinkerTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::visitedColor>(kHyperLinkerVisitedColor, "VisitedColor", PropertyForm::Colour),
    Field<&P::hoverColor>(kHyperLinkerHoverColor, "HoverColor", PropertyForm::Colour),
    Field<&P::backColor>(kHyperLinkerBackColor, "BackColor", PropertyForm::Colour),
    IntegerIn<&P::border>(kHyperLinkerBorder, "Border", 0, 5),
    Field<&P::font>(kHyperLinkerFont, "Font", PropertyForm::Font),
    Field<&P::caption>(kHyperLinkerCaption, "Caption", PropertyForm::Text),
    Field<&P::mailAddress>(kHyperLinkerMailAddress, "MailAddress", PropertyForm::Text),
    Field<&P::webAddress>(kHyperLinkerWebAddress, "WebAddress", PropertyForm::Text),
};
static_assert(sizeof kHyperLinkerFields / sizeof kHyperLinkerFields[0] == kHyperLinkerPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kHyperLinkerDescription =
    Describe<P>("HyperLinker", 0x0001001D, kHyperLinkerFields, kHyperLinkerBlockVersion);
