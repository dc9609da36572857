// The own properties of a check box (CheckBox) and their stored block: the
// record a check box is created from and written back to. Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field
//   1      int32          version: 2 when written; above 2 refused
//   2      int32          PushLike
//   3      int32          Flat
//   4      int32          TextOnLeft
//   5      int32          HAlign
//   6      int32          VAlign
//   7      int32          TextColor
//   8      int32          BackColor
//   9      int32          Checked
//   10     counted block  Picture
//   11     counted block  Font
//   12     counted text   Caption
//   13     counted text   DataSource, version 2 only
//   14     counted text   DataColumn, version 2 only
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
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
  Text caption = "\xD1\xA1\xD4\xF1\xBF\xF2";  // "选择框"
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

// Each clamps to its choices: HAlign 0..2, VAlign 0..2.
void SetCheckBoxHAlign(CheckBoxProperties* properties, int32_t value);
void SetCheckBoxVAlign(CheckBoxProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampCheckBoxProperties(CheckBoxProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it. False for a
// version above 2 or a block that ends inside a field (`out` then holds the
// defaults).
bool ReadCheckBoxProperties(ByteBlock block, CheckBoxProperties* out);
// Every property as a block of the current version.
bool WriteCheckBoxProperties(const CheckBoxProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kCheckBoxDescription;
