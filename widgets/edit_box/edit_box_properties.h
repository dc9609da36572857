// The own properties of an edit box (EditBox) and their stored block: the
// record an edit box is created from and written back to. Pure code.
//
// Property block (see widgets/common/property_block.h for the forms)
//   order  width          field
//   1      int32          version: 2 when written; above 2 refused
//   2      int32          Border
//   3      int32          TextColor
//   4      int32          BackColor
//   5      int32          HideSelection
//   6      int32          MaxLength
//   7      int32          MultiLine
//   8      int32          ScrollBars
//   9      int32          TextAlign
//   10     int32          InputMode
//   11     uint16         PasswordChar (one character code)
//   12     int32          LetterCase
//   13     int32          SpinButton
//   14     int32          SpinMin
//   15     int32          SpinMax
//   16     int32          SelStart
//   17     int32          SelLength
//   18     counted block  Font
//   19     counted text   Content
//   20     counted text   DataSource, version 2 only
//   21     counted text   DataColumn, version 2 only
// SelText (unit index 18) lives only in the live control and is not stored.
#pragma once

#include <cstdint>

#include "frame/unit_description.h"
#include "widgets/common/property_block.h"

constexpr int32_t kEditBoxBlockVersion = 2;

// Unit indexes (property table index - 8).
enum EditBoxProperty : int {
  kEditBoxContent,
  kEditBoxBorder,
  kEditBoxTextColor,
  kEditBoxBackColor,
  kEditBoxFont,
  kEditBoxHideSelection,
  kEditBoxMaxLength,
  kEditBoxMultiLine,
  kEditBoxScrollBars,
  kEditBoxTextAlign,
  kEditBoxInputMode,
  kEditBoxPasswordChar,
  kEditBoxLetterCase,
  kEditBoxSpinButton,
  kEditBoxSpinMin,
  kEditBoxSpinMax,
  kEditBoxSelStart,
  kEditBoxSelLength,
  kEditBoxSelText,
  kEditBoxDataSource,
  kEditBoxDataColumn,
  kEditBoxPropertyCount,
};

struct EditBoxProperties {
  Text content;
  int32_t border = 1;  // unit border style 0..5
  uint32_t textColor = 0x00000000;
  uint32_t backColor = 0x00FFFFFF;
  Bytes font;
  bool hideSelection = true;
  int32_t maxLength = 0;  // 0 = the system's limit
  bool multiLine = false;
  int32_t scrollBars = 0;  // 0 none, 1 horizontal, 2 vertical, 3 both
  int32_t textAlign = 0;   // 0 left, 1 centre, 2 right
  int32_t inputMode = 0;   // 0 free, 1 read-only, 2 password, 3..10 numeric, 11 free
  uint16_t passwordChar = '*';
  int32_t letterCase = 0;  // 0 as typed, 1 lower, 2 upper
  int32_t spinButton = 0;  // 0 none, 1 and 2 the two up-down variants
  int32_t spinMin = 0;
  int32_t spinMax = 100;
  int32_t selStart = 0;   // -1 = the end of the text
  int32_t selLength = 0;  // -1 = everything
  Text dataSource;
  Text dataColumn;
};

// Negative becomes 0.
void SetEditBoxMaxLength(EditBoxProperties* properties, int32_t value);
// Brings every clamped property into its range through its setter; for
// values that came from a block.
void ClampEditBoxProperties(EditBoxProperties* properties);

// Resets `out` to the class defaults, then reads `block` into it. False for a
// version above 2 or a block that ends inside a field (`out` then holds the
// defaults).
bool ReadEditBoxProperties(ByteBlock block, EditBoxProperties* out);
// Every property as a block of the current version.
bool WriteEditBoxProperties(const EditBoxProperties& properties, Bytes* out);

// The class: its name, type reference and property table.
extern const UnitDescription kEditBoxDescription;
