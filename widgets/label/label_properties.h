// The own properties of a label (Label) and their stored block: the record
// a label is created from and written back to. Pure code.
#pragma once

#include <cstdint>

#include "texts/unit_defaults.h"
#include "widgets/common/property_block.h"

constexpr int32_t kLabelBlockVersion = 2;
// The narrowest band a border of style 6 is drawn with.
constexpr int32_t kLabelMinimumBorderWidth = 5;
// The Border value of the label's own band; it adds no system border.
constexpr int32_t kLabelOwnBand = 6;

// PictureMode.
constexpr int32_t kPictureAtTopLeft = 0;
constexpr int32_t kPictureTiled = 1;
constexpr int32_t kPictureFitted = 2;

// Unit indexes (property table index - 8).
enum LabelProperty : int {
  kLabelCaption,
  kLabelEffect,
  kLabelBorder,
  kLabelBorderWidth,
  kLabelBorderColor1,
  kLabelBorderColor2,
  kLabelBorderColor3,
  kLabelFont,
  kLabelTextColor,
  kLabelBackColor,
  kLabelPicture,
  kLabelPictureMode,
  kLabelGradient,
  kLabelGradientColor1,
  kLabelGradientColor2,
  kLabelGradientColor3,
  kLabelHAlign,
  kLabelWordWrap,
  kLabelVAlign,
  kLabelDataSource,
  kLabelDataColumn,
  kLabelPropertyCount,
};

struct LabelProperties {
  Text caption = kLabelDefaultCaption;
  int32_t effect = 0;  // as the transparent label's
  int32_t border = 0;  // 0..5 unit border styles, 6 the label's own band
  int32_t borderWidth = 8;
  uint32_t borderColor1 = 0x00808080;  // colour or transparent
  uint32_t borderColor2 = 0x00FFFFFF;
  uint32_t borderColor3 = 0x00808080;
  Bytes font;
  uint32_t textColor = 0x00000000;
  uint32_t backColor = kDefaultColour;
  Bytes picture;
  int32_t pictureMode = 1;               // 0 top-left, 1 tiled, 2 fitted and centred
  int32_t gradient = 0;                  // 0 none, 1..8 patterns
  uint32_t gradientColor1 = 0x00808080;  // colour or transparent
  uint32_t gradientColor2 = 0x00FFFFFF;
  uint32_t gradientColor3 = 0x00808080;
  int32_t hAlign = 0;  // 0 left, 1 centre, 2 right
  bool wordWrap = false;
  int32_t vAlign = 1;  // 0 top, 1 middle, 2 bottom
  Text dataSource;
  Text dataColumn;
};

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kLabelDescription;
inline const UnitDescription& DescriptionOf(const LabelProperties&) { return kLabelDescription; }
