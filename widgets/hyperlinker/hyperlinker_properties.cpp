#include "widgets/hyperlinker/hyperlinker_properties.h"

#include "widgets/common/property_fields.h"

#include <utility>

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
  HyperLinkerProperties defaults;
  defaults.hoverColor = highlightColour;
  *out = defaults;
  ByteCursor cursor;
  int32_t version;
  const BlockStart start = StartPropertyBlock(block, kHyperLinkerBlockVersion, &cursor, &version);
  if (start != BlockStart::Fields) return start == BlockStart::Defaults;
  HyperLinkerProperties read = defaults;
  cursor.ReadInt32(&read.linkKind);
  ReadColour(cursor, &read.textColor);
  ReadColour(cursor, &read.visitedColor);
  ReadColour(cursor, &read.hoverColor);
  ReadColour(cursor, &read.backColor);
  cursor.ReadInt32(&read.border);
  cursor.ReadCounted(&read.font);
  cursor.ReadCountedText(&read.caption);
  cursor.ReadCountedText(&read.mailAddress);
  cursor.ReadCountedText(&read.webAddress);
  if (!cursor.Ok()) return false;
  *out = std::move(read);
  return true;
}

bool WriteHyperLinkerProperties(const HyperLinkerProperties& properties, Bytes* out) {
  Bytes block;
  AppendInt32(kHyperLinkerBlockVersion, &block);
  AppendInt32(properties.linkKind, &block);
  AppendColour(properties.textColor, &block);
  AppendColour(properties.visitedColor, &block);
  AppendColour(properties.hoverColor, &block);
  AppendColour(properties.backColor, &block);
  AppendInt32(properties.border, &block);
  if (!AppendCounted(properties.font, &block) || !AppendCountedText(properties.caption, &block) ||
      !AppendCountedText(properties.mailAddress, &block) ||
      !AppendCountedText(properties.webAddress, &block))
    return false;
  *out = std::move(block);
  return true;
}

namespace {

// Outside a running program there are no system colours: the default hover
// colour is the standard scheme's highlight colour.
bool ReadHyperLinkerWithStandardHighlight(ByteBlock block, HyperLinkerProperties* out) {
  return ReadHyperLinkerProperties(block, kStandardHighlightColour, out);
}

const PropertyField kHyperLinkerFields[] = {
    Field<&HyperLinkerProperties::caption>("Caption", PropertyForm::Text),
    Field<&HyperLinkerProperties::linkKind>("LinkKind", PropertyForm::Integer),
    Field<&HyperLinkerProperties::mailAddress>("MailAddress", PropertyForm::Text),
    Field<&HyperLinkerProperties::webAddress>("WebAddress", PropertyForm::Text),
    Field<&HyperLinkerProperties::textColor>("TextColor", PropertyForm::Colour),
    Field<&HyperLinkerProperties::visitedColor>("VisitedColor", PropertyForm::Colour),
    Field<&HyperLinkerProperties::hoverColor>("HoverColor", PropertyForm::Colour),
    Field<&HyperLinkerProperties::backColor>("BackColor", PropertyForm::Colour),
    Field<&HyperLinkerProperties::border>("Border", PropertyForm::Integer),
    Field<&HyperLinkerProperties::font>("Font", PropertyForm::Font),
};
static_assert(sizeof kHyperLinkerFields / sizeof kHyperLinkerFields[0] == kHyperLinkerPropertyCount,
              "one field per property, in the order of the property indexes");

}  // namespace

const UnitDescription kHyperLinkerDescription =
    Describe<HyperLinkerProperties, ReadHyperLinkerWithStandardHighlight,
             WriteHyperLinkerProperties, ClampHyperLinkerProperties>(
        "HyperLinker", 0x0001001D, kHyperLinkerFields, kHyperLinkerBlockVersion);
