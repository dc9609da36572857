// WriteRegItem, DeleteRegItem and RegItemExists against Wine's registry.
#include "services/registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/registry_probe.h"
#include "support/test_support.h"

namespace {

constexpr int32_t kClasses = 1;
constexpr int32_t kUser = 3;
constexpr int32_t kMachine = 4;
const char kBase[] = "Software\\MorvaneRegistryTest";

bool CreateKey(HKEY root, const std::string& path) {
  HKEY key;
  if (RegCreateKeyA(root, path.c_str(), &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::string Dword(uint32_t v) {
  return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kBase);
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "MorvaneTestClass");
  }
  void TearDown() override { SetUp(); }
  std::string Path(const std::string& rest) { return std::string(kBase) + "\\" + rest; }
};

TEST_F(RegistryTest, WriteCreatesEveryMissingKeyOnTheWay) {
  ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "MorvaneTestClass"));
  ASSERT_TRUE(
      WriteRegItem(kClasses, "MorvaneTestClass\\shell\\open\\command\\", Value::OfText("run")));
  for (const char* key :
       {"MorvaneTestClass", "MorvaneTestClass\\shell", "MorvaneTestClass\\shell\\open",
        "MorvaneTestClass\\shell\\open\\command"})
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(
      ReadValue(HKEY_CLASSES_ROOT, "MorvaneTestClass\\shell\\open\\command", "", &type, &data));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(data, std::string("run", 4));
}

TEST_F(RegistryTest, EachValueTypeIsStoredAsItsRegistryType) {
  const uint8_t bytes[] = {0, 0x5C, 0xFF};
  const struct {
    const char* name;
    Value value;
    DWORD type;
    std::string data;
  } cases[] = {
      {"Count", Value::Integer(7), REG_DWORD, Dword(7)},
      {"Small", Value::Short(-2), REG_DWORD, Dword(0xFFFFFFFE)},
      {"Ratio", Value::Double(-2.9), REG_DWORD, Dword(uint32_t(-2))},
      {"Name", Value::OfText(Gbk("文件夹")), REG_SZ, Gbk("文件夹") + '\0'},
      {"Empty", Value::OfText(""), REG_SZ, std::string(1, '\0')},
      {"Bytes", Value::OfBlock({bytes, 3}), REG_BINARY, std::string{'\0', '\\', char(0xFF)}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteRegItem(kUser, Path(c.name), c.value)) << c.name;
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, kBase, c.name, &type, &data)) << c.name;
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(data, c.data) << c.name;
  }
  // A value of another type is replaced, type and all.
  ASSERT_TRUE(WriteRegItem(kUser, Path("Count"), Value::OfText("seven")));
  DWORD type = 0;
  std::string data;
  ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, kBase, "Count", &type, &data));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(data, std::string("seven", 6));
}

TEST_F(RegistryTest, RootCodesOutsideOneToFiveAddressTheCurrentUser) {
  for (int32_t code : {0, 9, -1}) {
    const std::string name = "Code" + std::to_string(code);
    ASSERT_TRUE(WriteRegItem(code, Path(name), Value::Integer(code))) << code;
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, kBase, name.c_str(), &type, &data)) << code;
    EXPECT_EQ(data, Dword(uint32_t(code)));
    EXPECT_TRUE(RegItemExists(code, Path(name)));
    EXPECT_TRUE(DeleteRegItem(code, Path(name)));
  }
  // 4 is the local machine, not the current user.
  ASSERT_TRUE(WriteRegItem(kMachine, "Software\\MorvaneRegistryTest\\Machine", Value::Integer(4)));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kBase));
  EXPECT_FALSE(RegItemExists(kUser, Path("Machine")));
  EXPECT_TRUE(DeleteRegItem(kMachine, Path("Machine")));
  EXPECT_TRUE(DeleteRegItem(kMachine, kBase));
}

TEST_F(RegistryTest, PathsSplitOnlyAtRealBackslashes) {
  // 乗 (81 5C) inside the value name: one value, no key of "x" and the lead
  // byte 81.
  const std::string name = Gbk("x乗y");
  ASSERT_TRUE(WriteRegItem(kUser, Path(name), Value::Integer(1)));
  DWORD type = 0;
  std::string data;
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, kBase, name.c_str(), &type, &data));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kBase, 0, KEY_READ, &key), ERROR_SUCCESS);
  DWORD subkeys = 1;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  EXPECT_EQ(subkeys, 0u);

  // Without any backslash the value lies directly under the root key.
  ASSERT_TRUE(WriteRegItem(kUser, "MorvaneRootValue", Value::Integer(2)));
  EXPECT_TRUE(ReadValue(HKEY_CURRENT_USER, "", "MorvaneRootValue", &type, &data));
  EXPECT_TRUE(DeleteRegItem(kUser, "MorvaneRootValue"));
  EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, "", "MorvaneRootValue", &type, &data));
}

TEST_F(RegistryTest, ValuesThatAreNotStoredStillLeaveTheKey) {
  EXPECT_FALSE(WriteRegItem(kUser, Path("Flags\\Enabled"), Value::Logical(true)));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("Flags")));
  EXPECT_FALSE(RegItemExists(kUser, Path("Flags\\Enabled")));
  EXPECT_FALSE(WriteRegItem(kUser, Path("Flags\\When"), Value::DateTime(45000.0)));
  EXPECT_FALSE(RegItemExists(kUser, Path("Flags\\When")));
}

TEST_F(RegistryTest, WriteFailsWhereNoKeyCanBeCreated) {
  // Windows refuses a lasting key under a volatile one.
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kBase, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_FALSE(WriteRegItem(kUser, Path("Sub\\Value"), Value::OfText("x")));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Sub")));
  // The volatile key itself takes values.
  EXPECT_TRUE(WriteRegItem(kUser, Path("Value"), Value::OfText("x")));
}

TEST_F(RegistryTest, ExistsAsksForTheNamedValueOnly) {
  EXPECT_FALSE(RegItemExists(kUser, Path("Missing\\")));
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, Path("Verb\\command")));
  // The key exists, its default value does not.
  EXPECT_FALSE(RegItemExists(kUser, Path("Verb\\command\\")));
  EXPECT_FALSE(RegItemExists(kUser, Path("Verb\\command")));  // a value "command" in Verb
  ASSERT_TRUE(WriteRegItem(kUser, Path("Verb\\command\\"), Value::OfText("")));
  EXPECT_TRUE(RegItemExists(kUser, Path("Verb\\command\\")));
  EXPECT_FALSE(RegItemExists(kUser, Path("Verb\\command\\Other")));
}

TEST_F(RegistryTest, DeleteTakesTheValueBeforeTheKeyOfTheSameName) {
  // Key A with a value B and a subkey B.
  ASSERT_TRUE(WriteRegItem(kUser, Path("A\\B"), Value::Integer(1)));
  ASSERT_TRUE(CreateKey(HKEY_CURRENT_USER, Path("A\\B")));

  EXPECT_TRUE(DeleteRegItem(kUser, Path("A\\B")));
  EXPECT_FALSE(RegItemExists(kUser, Path("A\\B")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("A\\B")));

  // No value B left: the same path now deletes the key, which has no subkeys.
  EXPECT_TRUE(DeleteRegItem(kUser, Path("A\\B")));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("A\\B")));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Path("A")));

  EXPECT_FALSE(DeleteRegItem(kUser, Path("A\\B"))) << "nothing left of that name";
}

TEST_F(RegistryTest, DeleteRefusesAKeyWithSubkeys) {
  ASSERT_TRUE(WriteRegItem(kUser, Path("Tree\\Leaf\\Value"), Value::Integer(1)));
  EXPECT_FALSE(DeleteRegItem(kUser, Path("Tree")));
  EXPECT_TRUE(RegItemExists(kUser, Path("Tree\\Leaf\\Value")));
  // Deepest first works.
  EXPECT_TRUE(DeleteRegItem(kUser, Path("Tree\\Leaf\\Value")));
  EXPECT_TRUE(DeleteRegItem(kUser, Path("Tree\\Leaf")));
  EXPECT_TRUE(DeleteRegItem(kUser, Path("Tree")));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Path("Tree")));
}

}  // namespace
