#include "services/text_search.h"

#include <gtest/gtest.h>

#include "tests/host/gbk.h"

namespace {

TEST(FindText, StartPositionsCountBytesFromOne) {
  EXPECT_EQ(FindText("abcabc", "c"), 3);
  EXPECT_EQ(FindText("abcabc", "c", 3), 3);
  EXPECT_EQ(FindText("abcabc", "c", 4), 6);
  EXPECT_EQ(FindText("abcabc", "c", 6), 6);
  EXPECT_EQ(FindText("abcabc", "c", 7), -1);
  EXPECT_EQ(FindText("abcabc", "c", 1000), -1);
  EXPECT_EQ(FindText("abcabc", "c", INT32_MAX), -1);
  for (int32_t start : {0, 1, -5, INT32_MIN}) EXPECT_EQ(FindText("abcabc", "a", start), 1) << start;
  // Positions are byte positions: 乗 takes two.
  EXPECT_EQ(FindText(Gbk("乗A"), "A"), 3);
}

TEST(FindText, EmptyPatternIsFoundAtOneInAnyNonEmptyRange) {
  EXPECT_EQ(FindText("abc", ""), 1);
  EXPECT_EQ(FindText("abc", "", 3), 1);
  EXPECT_EQ(FindText("abc", "", 4), -1);
  EXPECT_EQ(FindText("", ""), -1);
  EXPECT_EQ(FindText("", "a"), -1);
}

TEST(FindText, PatternMustLieWhollyInsideTheText) {
  EXPECT_EQ(FindText("ab", "abc"), -1);
  EXPECT_EQ(FindText("abcab", "abc", 2), -1);
  EXPECT_EQ(FindText("abcab", "ab", 2), 4);
  EXPECT_EQ(FindText("abc", "abc"), 1);
}

TEST(FindText, IgnoreCaseFoldsOnlyAsciiLetters) {
  EXPECT_EQ(FindText("ABC", "b"), -1);
  EXPECT_EQ(FindText("ABC", "b", 0, true), 2);
  EXPECT_EQ(FindText("abc", "BC", 0, true), 2);
  // '[' (0x5B) and '{' (0x7B) are 0x20 apart but are no letters.
  EXPECT_EQ(FindText("[", "{", 0, true), -1);
  EXPECT_EQ(FindText("@", "`", 0, true), -1);
  // The second byte of a two-byte character folds too: 81 41 (丄) equals
  // 81 61 (乤).
  EXPECT_EQ(FindText(Gbk("x丄"), Gbk("乤"), 0, true), 2);
  EXPECT_EQ(FindText(Gbk("x丄"), Gbk("乤")), -1);
}

TEST(FindText, SecondByteOfATwoByteCharacterIsNeverAMatchStart) {
  // 乗 is 81 5C, 圽 is 88 5C.
  EXPECT_EQ(FindText(Gbk("Mor乗vane"), "\\"), -1);
  EXPECT_EQ(FindText(Gbk("乗圽"), "\\"), -1);
  EXPECT_EQ(FindText(Gbk("Mor乗\\vane"), "\\"), 6);
  EXPECT_EQ(FindText(Gbk("乗\\"), "\\"), 3);
  // Two-byte characters themselves are found, on their own boundary only:
  // 亖 is 81 81, and a lone lead byte 81 follows it.
  const Text lead = Gbk("亖").substr(0, 1);
  EXPECT_EQ(FindText("a" + Gbk("亖") + lead, Gbk("亖")), 2);
  // A start inside a character begins the scan at that byte.
  EXPECT_EQ(FindText(Gbk("乗"), "\\", 2), 2);
  // A lead byte with nothing after it ends the search.
  EXPECT_EQ(FindText("a" + lead, "b"), -1);
  EXPECT_EQ(FindText("a" + lead, lead), 2);
}

TEST(FindText, TextsEndAtTheirFirstNul) {
  const Text text("ab\0c", 4);
  EXPECT_EQ(FindText(text, "c"), -1);
  EXPECT_EQ(FindText("abc", Text("c\0x", 3)), 3);
}

}  // namespace
