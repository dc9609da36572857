// The own properties of a picture box (PicBox) and their stored block: the
// record a picture box is created from and written back to. Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field
//   1      int32          version: 2 when written; above 2 refused
//   2      int32          Border
//   3      int32          BackColor (COLORREF or the default colour)
//   4      int32          DisplayMode
//   5      int32          PlayAnimation
//   6      counted block  Picture
//   7      counted text   DataSource, version 2 only
//   8      counted text   DataColumn, version 2 only
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
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

// Border: clamped to 0..5. DisplayMode: clamped to 0..2.
void SetPicBoxBorder(PicBoxProperties* properties, int32_t value);
void SetPicBoxDisplayMode(PicBoxProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampPicBoxProperties(PicBoxProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it (a version 1
// block leaves the data-binding texts empty). False for a version above 2 or
// a block that ends inside a field (`out` then holds the defaults).
bool ReadPicBoxProperties(ByteBlock block, PicBoxProperties* out);
// Every property as a block of the current version.
bool WritePicBoxProperties(const PicBoxProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kPicBoxDescription;
