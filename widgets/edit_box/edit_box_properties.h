// The own properties of an edit box (EditBox) and their stored block: the
// record an edit box is created from and written back to. Pure code.
#pragma once

#include <cstdint>

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

// The class: its name, type reference and property table, which gives the
// stored block's fields in their order. ReadProperties and WriteProperties
// (frame/property_codec.h) read and write a block of the record.
extern const UnitDescription kEditBoxDescription;
inline const UnitDescription& DescriptionOf(const EditBoxProperties&) {
  return kEditBoxDescription;
}
