// The own properties of a transparent label (TransLabel) and their stored
// block: the record a label is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "texts/unit_defaults.h"
#include "widgets/common/property_block.h"

constexpr int32_t kTransLabelBlockVersion = 1;

// Unit indexes (property table index - 8).
enum TransLabelProperty : int {
  kTransLabelCaption,
  kTransLabelEffect,
  kTransLabelFont,
  kTransLabelTextColor,
  kTransLabelHAlign,
  kTransLabelWordWrap,
  kTransLabelVAlign,
  kTransLabelPropertyCount,
};

struct TransLabelProperties {
  Text caption = kTransLabelDefaultCaption;
  int32_t effect = 0;  // 0 none, 1 white below-right, 2 white above-left, 3 black shadow
  Bytes font;
  uint32_t textColor = 0x00000000;
  int32_t hAlign = 0;  // 0 left, 1 centre, 2 right
  bool wordWrap = false;
  int32_t vAlign = 1;  // 0 top, 1 middle, 2 bottom (single line only)
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kTransLabelDescription;
inline const UnitDescription& DescriptionOf(const TransLabelProperties&) {
  return kTransLabelDescription;
}
