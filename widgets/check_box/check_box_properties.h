// The own properties of a check box (CheckBox) and their stored block: the
// record a check box is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "texts/unit_defaults.h"
#include "widgets/common/property_block.h"

constexpr int32_t kCheckBoxBlockVersion = 2;

// Unit indexes (property table index - 8).
enum CheckBoxProperty : int {
  kCheckBoxPicture,
  kCheckBoxPushLike,
  kCheckBoxFlat,
  kCheckBoxCaption,
  kCheckBoxTextOnLeft,
  kCheckBoxHAlign,
  kCheckBoxVAlign,
  kCheckBoxTextColor,
  kCheckBoxBackColor,
  kCheckBoxFont,
  kCheckBoxChecked,
  kCheckBoxDataSource,
  kCheckBoxDataColumn,
  kCheckBoxPropertyCount,
};

struct CheckBoxProperties {
  Bytes picture;  // shown instead of the caption when it decodes
  bool pushLike = false;
  bool flat = false;
  Text caption = kCheckBoxDefaultCaption;
  bool textOnLeft = false;
  int32_t hAlign = 0;  // 0 left, 1 centre, 2 right
  int32_t vAlign = 1;  // 0 top, 1 centre, 2 bottom
  uint32_t textColor = 0x00000000;
  uint32_t backColor = kDefaultColour;
  Bytes font;
  bool checked = false;
  Text dataSource;
  Text dataColumn;
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kCheckBoxDescription;
inline const UnitDescription& DescriptionOf(const CheckBoxProperties&) {
  return kCheckBoxDescription;
}
