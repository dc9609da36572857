#include "services/code_page.h"

#include <gtest/gtest.h>

#include "tests/host/gbk.h"

namespace {

// A handler's character code as the bytes of the character it stands for:
// one byte below 0x100, the two bytes of a two-byte character, lead byte
// first, from there up; only the low 16 bits count.
TEST(CharacterCodeBytes, OneByteOrTheTwoOfATwoByteCharacterLeadFirst) {
  const Text zhong = Gbk("中");  // D6 D0
  const struct {
    int32_t code;
    Text bytes;
  } cases[] = {
      {0, ""},
      {'b', "b"},
      {0x80, Text{char(0x80)}},
      {0xD6, zhong.substr(0, 1)},
      {0xD6D0, zhong},
      {0x815C, Gbk("乗")},  // 81 5C
      {0x10062, "b"},
      {0x10000, ""},
      {-1, Text{char(0xFF), char(0xFF)}},
  };
  for (const auto& c : cases) EXPECT_EQ(CharacterCodeBytes(c.code), c.bytes) << c.code;
}

}  // namespace
