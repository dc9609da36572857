#include "services/registry_item.h"

#include <gtest/gtest.h>

#include "tests/host/gbk.h"

namespace {

struct SplitCase {
  Text path;
  Text key;
  Text value;
};

TEST(SplitItemPath, SplitsAtTheLastRealBackslash) {
  const Text lead = Gbk("乗").substr(0, 1);  // 81
  const SplitCase cases[] = {
      {"Count", "", "Count"},
      {"", "", ""},
      {"Software\\A\\Count", "Software\\A", "Count"},
      {"*\\shell\\Morvane\\command\\", "*\\shell\\Morvane\\command", ""},
      // 乗 is 81 5C: its second byte is no backslash.
      {Gbk("Software\\A\\x乗y"), "Software\\A", Gbk("x乗y")},
      {Gbk("Software\\乗"), "Software", Gbk("乗")},
      {Gbk("乗"), "", Gbk("乗")},
      // ...but a backslash right after such a character is one.
      {Gbk("A乗\\B"), Gbk("A乗"), "B"},
      // Leading and doubled backslashes go to Windows as they are.
      {"\\Software\\\\A\\Count", "\\Software\\\\A", "Count"},
      {"\\Count", "", "Count"},
      // A lead byte at the very end has no second byte and ends the scan.
      {"A\\B\\" + lead, "A\\B", lead},
  };
  for (const SplitCase& c : cases) {
    Text key = "stale", value = "stale";
    SplitItemPath(c.path, &key, &value);
    EXPECT_EQ(key, c.key) << c.path;
    EXPECT_EQ(value, c.value) << c.path;
  }
}

TEST(RootForCode, EveryCodeOutsideOneToFiveIsTheCurrentUser) {
  EXPECT_EQ(RootForCode(1), RegistryRoot::ClassesRoot);
  EXPECT_EQ(RootForCode(2), RegistryRoot::CurrentConfig);
  EXPECT_EQ(RootForCode(3), RegistryRoot::CurrentUser);
  EXPECT_EQ(RootForCode(4), RegistryRoot::LocalMachine);
  EXPECT_EQ(RootForCode(5), RegistryRoot::Users);
  for (int32_t code : {0, 6, 9, -1, INT32_MIN, INT32_MAX})
    EXPECT_EQ(RootForCode(code), RegistryRoot::CurrentUser) << code;
  // Each root by the name that reports and tools give it.
  const char* names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_CONFIG", "HKEY_CURRENT_USER",
                         "HKEY_LOCAL_MACHINE", "HKEY_USERS"};
  for (int32_t code = 1; code <= 5; ++code)
    EXPECT_STREQ(RootKeyName(RootForCode(code)), names[code - 1]) << code;
}

RegData Encoded(const Value& value) {
  RegData data;
  data.type = 99;
  EXPECT_TRUE(EncodeRegValue(value, &data));
  return data;
}

std::string Dword(uint32_t v) {
  return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

TEST(EncodeRegValue, NumbersBecomeDwords) {
  const struct {
    Value value;
    uint32_t stored;
  } cases[] = {
      {Value::Integer(7), 7},
      {Value::Integer(-1), 0xFFFFFFFF},
      {Value::Byte(0xFE), 0xFE},       // zero-extended
      {Value::Short(-2), 0xFFFFFFFE},  // sign-extended
      {Value::Short(0x7FFF), 0x7FFF},
      {Value::Long(0x123456789ABCDEF0), 0x9ABCDEF0},  // low half
      {Value::Float(2.9f), 2},
      {Value::Float(-2.9f), uint32_t(-2)},  // toward zero
      {Value::Double(2.9), 2},
      {Value::Double(-2.9), uint32_t(-2)},
      {Value::Double(4294967298.5), 2},  // low half of the 64-bit integer
      {Value::Double(-4294967298.5), uint32_t(-2)},
  };
  for (const auto& c : cases) {
    RegData data = Encoded(c.value);
    EXPECT_EQ(data.type, kRegDword);
    EXPECT_EQ(data.bytes, Dword(c.stored)) << c.stored;
  }
}

TEST(EncodeRegValue, FloatsWithoutA64BitIntegerAreDefined) {
  // These used to be undefined behaviour in the conversion.
  for (double v : {1e30, -1e30, 9223372036854775808.0, __builtin_nan("")}) {
    EXPECT_EQ(Encoded(Value::Double(v)).bytes, Dword(0)) << v;
  }
  EXPECT_EQ(Encoded(Value::Float(3e20f)).bytes, Dword(0));
  // The last double below 2^63 is still an integer of 64 bits.
  EXPECT_EQ(Encoded(Value::Double(9223372036854774784.0)).bytes, Dword(0xFFFFFC00));
}

TEST(EncodeRegValue, TextKeepsItsNulAndBlocksTheirExactBytes) {
  RegData text = Encoded(Value::OfText(Gbk("文件夹")));
  EXPECT_EQ(text.type, kRegString);
  EXPECT_EQ(text.bytes, Gbk("文件夹") + '\0');

  RegData empty = Encoded(Value::OfText(""));
  EXPECT_EQ(empty.type, kRegString);
  EXPECT_EQ(empty.bytes, std::string(1, '\0'));

  const uint8_t bytes[] = {0, 1, 0, 0xFF};
  RegData block = Encoded(Value::OfBlock({bytes, 4}));
  EXPECT_EQ(block.type, kRegBinary);
  EXPECT_EQ(block.bytes, (std::string{'\0', '\1', '\0', char(0xFF)}));

  RegData emptyBlock = Encoded(Value::OfBlock({}));
  EXPECT_EQ(emptyBlock.type, kRegBinary);
  EXPECT_EQ(emptyBlock.bytes, "");
}

TEST(EncodeRegValue, OtherTypesAreNotStored) {
  for (const Value& value : {Value::Logical(true), Value::DateTime(45000.5),
                             Value::OfUnit({WindowId{0x52010001}, UnitId{0x16000001}}), Value()}) {
    RegData data;
    EXPECT_FALSE(EncodeRegValue(value, &data)) << int(value.type);
  }
}

}  // namespace
