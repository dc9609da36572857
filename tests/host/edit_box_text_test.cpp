#include "widgets/edit_box/edit_box_text.h"

#include <gtest/gtest.h>

#include "tests/host/gbk.h"

namespace {

struct FilterCase {
  int32_t inputMode;
  std::string accepted;
  std::string refused;
};

}  // namespace

// Every input mode against digits, the two signs, letters, space and a
// code-page-936 lead byte; control characters (Backspace, Enter, Ctrl+V)
// pass whatever the mode.
TEST(EditBoxInputFilter, EachModeLetsThroughItsCharactersAndEveryControlCharacter) {
  const std::string lead = Gbk("中").substr(0, 1);  // D6
  const FilterCase cases[] = {
      {0, "09-.aZ " + lead, ""},
      {1, "09-.aZ " + lead, ""},
      {2, "09-.aZ " + lead, ""},
      {3, "09-", ".aZ " + lead + "+"},
      {6, "09-", ".aZ " + lead},
      {7, "09-", ".aZ " + lead},
      {8, "09-", ".aZ " + lead},
      {4, "09-.", "aZ " + lead + ","},
      {9, "09-.", "aZ " + lead},
      {10, "09-.", "aZ " + lead},
      {5, "0123456789", "-.aZ " + lead + "/:"},
      {11, "09-.aZ " + lead, ""},
      {-1, "09-.aZ", ""},
      {12, "09-.aZ", ""},
  };
  for (const FilterCase& c : cases) {
    for (const char* p = c.accepted.c_str(); *p; ++p)
      EXPECT_TRUE(AcceptsCharacter(c.inputMode, uint8_t(*p)))
          << "mode " << c.inputMode << " '" << *p << "'";
    for (const char* p = c.refused.c_str(); *p; ++p)
      EXPECT_FALSE(AcceptsCharacter(c.inputMode, uint8_t(*p)))
          << "mode " << c.inputMode << " '" << *p << "'";
    for (uint32_t control : {8u, 9u, 13u, 22u, 27u, 31u})
      EXPECT_TRUE(AcceptsCharacter(c.inputMode, control))
          << "mode " << c.inputMode << " " << control;
    // The control's characters are UTF-16 units: a CJK character, a
    // full-width digit and an accented letter are refused by every filter,
    // as their code-page-936 bytes were, and pass where all pass.
    const bool filters = c.inputMode >= 3 && c.inputMode <= 10;
    for (uint32_t wide : {0x4E2Du, 0xFF10u, 0x00E9u, 0xD55Cu})
      EXPECT_EQ(AcceptsCharacter(c.inputMode, wide), !filters)
          << "mode " << c.inputMode << " U+" << std::hex << wide;
  }
}

TEST(EditBoxSelection, StartAndLengthWithTheirSpecialValuesStayInsideTheText) {
  struct Case {
    int32_t selStart, selLength, count, start, end;
  } cases[] = {
      {0, 0, 10, 0, 0},    {2, 3, 10, 2, 5},
      {-1, 0, 10, 10, 10},                     // -1: the end of the text
      {4, -1, 10, 0, 10},                      // -1 selects everything, whatever the start
      {-1, -1, 10, 0, 10}, {8, 5, 10, 8, 10},  // cut at the end
      {20, 0, 10, 10, 10},                     // a start past the end is the end
      {-5, 2, 10, 0, 2},                       // and one before the start the start
      {5, -2, 10, 5, 3},                       // backwards from the start
      {1, -9, 10, 1, 0},   {0x7FFFFFF0, 0x7FFFFFF0, 10, 10, 10},  // no overflow
      {3, 2, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const CharacterRange range = SelectionOf(c.selStart, c.selLength, c.count);
    EXPECT_EQ(range.start, c.start) << c.selStart << " " << c.selLength;
    EXPECT_EQ(range.end, c.end) << c.selStart << " " << c.selLength;
  }
}

// The control counts a two-byte character once; the text is bytes.
TEST(EditBoxCharacters, PositionsCountTwoByteCharactersOnce) {
  const std::string text = Gbk("ab中文c");  // 7 bytes, 5 characters
  ASSERT_EQ(text.size(), 7u);
  EXPECT_EQ(CharacterCount(text), 5);
  EXPECT_EQ(CharacterCount(""), 0);
  const size_t offsets[] = {0, 1, 2, 4, 6, 7, 7};
  for (int32_t position = 0; position < 7; ++position)
    EXPECT_EQ(ByteOffsetOf(text, position), offsets[position]) << position;
  EXPECT_EQ(ByteOffsetOf(text, -3), 0u);
  EXPECT_EQ(CharactersBetween(text, 1, 3), "b" + Gbk("中"));
  EXPECT_EQ(CharactersBetween(text, 4, 2), Gbk("中文"));
  EXPECT_EQ(CharactersBetween(text, 3, 3), "");
  EXPECT_EQ(CharactersBetween(text, 0, 99), text);
  // A lead byte in the last place stands alone and counts once.
  const std::string lead = Gbk("中").substr(0, 1);  // D6
  const std::string cut = "a" + lead;
  EXPECT_EQ(CharacterCount(cut), 2);
  EXPECT_EQ(CharactersBetween(cut, 1, 2), lead);
}
