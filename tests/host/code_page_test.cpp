#include "services/code_page.h"

#include <gtest/gtest.h>

namespace {

// A handler's character code as the bytes of the character it stands for:
// one byte below 0x100, the two bytes of a two-byte character, lead byte
// first, from there up; only the low 16 bits count.
TEST(CharacterCodeBytes, OneByteOrTheTwoOfATwoByteCharacterLeadFirst) {
  const struct {
    int32_t code;
    Text bytes;
  } cases[] = {
      {0, ""},        {'b', "b"},           {0x80, "\x80"},
      {0xD6, "\xD6"}, {0xD6D0, "\xD6\xD0"}, {0x815C, "\x81\x5C"},
      {0x10062, "b"}, {0x10000, ""},        {-1, "\xFF\xFF"},
  };
  for (const auto& c : cases) EXPECT_EQ(CharacterCodeBytes(c.code), c.bytes) << c.code;
}

}  // namespace
