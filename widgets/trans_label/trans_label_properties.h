// The own properties of a transparent label (TransLabel) and their stored
// block: the record a label is created from and written back to. Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field
//   1      int32          version: 1 when written; above 1 refused
//   2      int32          Effect
//   3      int32          TextColor (COLORREF)
//   4      int32          HAlign
//   5      int32          VAlign
//   6      int32          WordWrap
//   7      counted block  Font (a 60-byte LOGFONTA, else the default GUI font)
//   8      counted text   Caption
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
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
  Text caption = "\xCD\xB8\xC3\xF7\xB1\xEA\xC7\xA9";  // "透明标签"
  int32_t effect = 0;  // 0 none, 1 white below-right, 2 white above-left, 3 black shadow
  Bytes font;
  uint32_t textColor = 0x00000000;
  int32_t hAlign = 0;  // 0 left, 1 centre, 2 right
  bool wordWrap = false;
  int32_t vAlign = 1;  // 0 top, 1 middle, 2 bottom (single line only)
};

// Each clamps to its choices: Effect 0..3, HAlign 0..2, VAlign 0..2.
void SetTransLabelEffect(TransLabelProperties* properties, int32_t value);
void SetTransLabelHAlign(TransLabelProperties* properties, int32_t value);
void SetTransLabelVAlign(TransLabelProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampTransLabelProperties(TransLabelProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it. False for a
// version above 1 or a block that ends inside a field (`out` then holds the
// defaults).
bool ReadTransLabelProperties(ByteBlock block, TransLabelProperties* out);
// Every property as a block of the current version.
bool WriteTransLabelProperties(const TransLabelProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kTransLabelDescription;
