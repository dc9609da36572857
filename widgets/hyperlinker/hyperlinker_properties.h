// The own properties of a hyperlink box (HyperLinker) and their stored block:
// the record a link is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "widgets/common/property_block.h"

constexpr int32_t kHyperLinkerBlockVersion = 1;

// The default HoverColor is the system's highlight colour at the time the
// defaults are set, which only the Windows side can ask for; the record's
// initializer holds the highlight colour of the standard Windows 7 scheme,
// and the reader puts the caller's colour in its place.
constexpr uint32_t kStandardHighlightColour = 0x00FF9933;

// Unit indexes (property table index - 8).
enum HyperLinkerProperty : int {
  kHyperLinkerCaption,
  kHyperLinkerLinkKind,
  kHyperLinkerMailAddress,
  kHyperLinkerWebAddress,
  kHyperLinkerTextColor,
  kHyperLinkerVisitedColor,
  kHyperLinkerHoverColor,
  kHyperLinkerBackColor,
  kHyperLinkerBorder,
  kHyperLinkerFont,
  kHyperLinkerPropertyCount,
};

struct HyperLinkerProperties {
  Text caption;
  int32_t linkKind = 0;  // 0 e-mail address, 1 web address
  Text mailAddress;
  Text webAddress;
  uint32_t textColor = 0x00FF0000;
  uint32_t visitedColor = 0x00000080;
  uint32_t hoverColor = kStandardHighlightColour;
  uint32_t backColor = kDefaultColour;
  int32_t border = 0;  // unit border style 0..5
  Bytes font;
};

// Resets `out` to the class defaults, with `highlightColour` (the system's
// COLOR_HIGHLIGHT) as the default HoverColor, then reads `block` into it.
// False for a refused block (`out` then holds those defaults).
bool ReadHyperLinkerProperties(ByteBlock block, uint32_t highlightColour,
                               HyperLinkerProperties* out);

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kHyperLinkerDescription;
inline const UnitDescription& DescriptionOf(const HyperLinkerProperties&) {
  return kHyperLinkerDescription;
}
