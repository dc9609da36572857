// The own properties of a picture box (PicBox) and their stored block: the
// record a picture box is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "widgets/common/property_block.h"

constexpr int32_t kPicBoxBlockVersion = 2;

// Unit indexes (property table index - 8).
enum PicBoxProperty : int {
  kPicBoxBorder,
  kPicBoxBackColor,
  kPicBoxPicture,
  kPicBoxDisplayMode,
  kPicBoxPlayAnimation,
  kPicBoxDataSource,
  kPicBoxDataColumn,
  kPicBoxPropertyCount,
};

struct PicBoxProperties {
  int32_t border = 0;                   // unit border style 0..5
  uint32_t backColor = kDefaultColour;  // also what PNG transparency blends against
  Bytes picture;
  int32_t displayMode = 0;  // 0 natural size, 1 stretched, 2 fitted and centred
  bool playAnimation = true;
  Text dataSource;
  Text dataColumn;
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kPicBoxDescription;
inline const UnitDescription& DescriptionOf(const PicBoxProperties&) { return kPicBoxDescription; }
