// The own properties of a graphic button (PicBtn) and their stored block:
// the record a button is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "widgets/common/property_block.h"

constexpr int32_t kPicBtnBlockVersion = 1;

// Unit indexes (property table index - 8).
enum PicBtnProperty : int {
  kPicBtnButtonKind,
  kPicBtnChecked,
  kPicBtnNormalPicture,
  kPicBtnHoverPicture,
  kPicBtnPressedPicture,
  kPicBtnDisabledPicture,
  kPicBtnTransparentColor,
  kPicBtnPropertyCount,
};

struct PicBtnProperties {
  int32_t buttonKind = 0;  // 0 push button, 1 toggle button
  bool checked = false;    // toggle buttons only
  Bytes normalPicture;
  Bytes hoverPicture;
  Bytes pressedPicture;  // also a checked toggle button's picture
  Bytes disabledPicture;
  uint32_t transparentColor = kDefaultColour;  // cut out of the region; default = none
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kPicBtnDescription;
inline const UnitDescription& DescriptionOf(const PicBtnProperties&) { return kPicBtnDescription; }
