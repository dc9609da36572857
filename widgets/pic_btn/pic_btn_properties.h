// The own properties of a graphic button (PicBtn) and their stored block:
// the record a button is created from and written back to. Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field
//   1      int32          version: 1 when written; above 1 refused
//   2      int32          ButtonKind
//   3      int32          Checked
//   4      int32          TransparentColor
//   5      counted block  NormalPicture
//   6      counted block  HoverPicture
//   7      counted block  PressedPicture
//   8      counted block  DisabledPicture
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
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

// Above 1 becomes 1, negative 0.
void SetPicBtnButtonKind(PicBtnProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampPicBtnProperties(PicBtnProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it. False for a
// version above 1 or a block that ends inside a field (`out` then holds the
// defaults).
bool ReadPicBtnProperties(ByteBlock block, PicBtnProperties* out);
// Every property as a block of the current version.
bool WritePicBtnProperties(const PicBtnProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kPicBtnDescription;
