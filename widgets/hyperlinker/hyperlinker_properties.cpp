#include "widgets/hyperlinker/hyperlinker_properties.h"

#include "widgets/common/property_fields.h"

void SetHyperLinkerLinkKind(HyperLinkerProperties* properties, int32_t value) {
  properties->linkKind = ClampChoice(value, 0, 1);
}

void SetHyperLinkerBorder(HyperLinkerProperties* properties, int32_t value) {
  properties->border = ClampChoice(value, 0, 5);
}

void ClampHyperLinkerProperties(HyperLinkerProperties* properties) {
  SetHyperLinkerLinkKind(properties, properties->linkKind);
  SetHyperLinkerBorder(properties, properties->border);
}

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
    Field<&P::linkKind>(kHyperLinkerLinkKind, "LinkKind", PropertyForm::Integer),
    Field<&P::textColor>(kHyperLinkerTextColor, "TextColor", PropertyForm::Colour),
    Field<&P::visitedColor>(kHyperLinkerVisitedColor, "VisitedColor", PropertyForm::Colour),
    Field<&P::hoverColor>(kHyperLinkerHoverColor, "HoverColor", PropertyForm::Colour),
    Field<&P::backColor>(kHyperLinkerBackColor, "BackColor", PropertyForm::Colour),
    Field<&P::border>(kHyperLinkerBorder, "Border", PropertyForm::Integer),
    Field<&P::font>(kHyperLinkerFont, "Font", PropertyForm::Font),
    Field<&P::caption>(kHyperLinkerCaption, "Caption", PropertyForm::Text),
    Field<&P::mailAddress>(kHyperLinkerMailAddress, "MailAddress", PropertyForm::Text),
    Field<&P::webAddress>(kHyperLinkerWebAddress, "WebAddress", PropertyForm::Text),
};
static_assert(sizeof kHyperLinkerFields / sizeof kHyperLinkerFields[0] == kHyperLinkerPropertyCount,
              "one row per property");

}  // namespace

const UnitDescription kHyperLinkerDescription = Describe<P, ClampHyperLinkerProperties>(
    "HyperLinker", 0x0001001D, kHyperLinkerFields, kHyperLinkerBlockVersion);
