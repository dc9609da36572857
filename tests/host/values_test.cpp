#include "services/values.h"

#include <gtest/gtest.h>

TEST(StoredBlock, RoundTripsAndRefusesDamagedHeaders) {
  const uint8_t bytes[] = {'A', 'B', 'C'};
  std::string stored;
  AppendStoredBlock({bytes, 3}, &stored);
  ASSERT_EQ(stored.size(), 11u);
  EXPECT_EQ(stored.substr(0, 8), std::string("\1\0\0\0\3\0\0\0", 8));

  const auto* data = reinterpret_cast<const uint8_t*>(stored.data());
  ByteBlock block;
  ASSERT_TRUE(ReadStoredBlock(data, stored.size(), &block));
  EXPECT_EQ(block.size, 3u);
  EXPECT_EQ(block.data, data + 8);

  EXPECT_FALSE(ReadStoredBlock(data, 10, &block)) << "byte count past the end";
  EXPECT_FALSE(ReadStoredBlock(data, 7, &block)) << "short header";
  std::string twoDimensions = stored;
  twoDimensions[0] = 2;
  EXPECT_FALSE(ReadStoredBlock(reinterpret_cast<const uint8_t*>(twoDimensions.data()),
                               twoDimensions.size(), &block));
  // A byte count near 2^32 must not wrap the bounds check.
  std::string huge = stored;
  huge.replace(4, 4, std::string(4, char(0xFF)));
  EXPECT_FALSE(ReadStoredBlock(reinterpret_cast<const uint8_t*>(huge.data()), huge.size(), &block));

  std::string empty;
  AppendStoredBlock({}, &empty);
  ASSERT_TRUE(
      ReadStoredBlock(reinterpret_cast<const uint8_t*>(empty.data()), empty.size(), &block));
  EXPECT_EQ(block.size, 0u);
}

// Values written to a unit's property become the property's declared type.
TEST(ValueConversion, NumbersTextsAndLogicalsMeetTheDeclaredType) {
  EXPECT_EQ(ConvertValue(Value::Double(44.9), ValueType::Integer).integer, 44);
  EXPECT_EQ(ConvertValue(Value::Double(-44.9), ValueType::Integer).integer, -44);
  EXPECT_EQ(ConvertValue(Value::OfText("  123abc"), ValueType::Integer).integer, 123);
  EXPECT_EQ(ConvertValue(Value::OfText("x"), ValueType::Integer).integer, 0);
  EXPECT_EQ(ConvertValue(Value::Logical(true), ValueType::Integer).integer, 1);
  EXPECT_EQ(ConvertValue(Value::Long(0x100000005LL), ValueType::Integer).integer, 5);
  EXPECT_EQ(ConvertValue(Value::Integer(300), ValueType::Byte).byte, 44);
  EXPECT_EQ(ConvertValue(Value::Integer(70000), ValueType::Short).shortInteger, 4464);
  EXPECT_TRUE(ConvertValue(Value::Integer(2), ValueType::Logical).logical);
  EXPECT_TRUE(ConvertValue(Value::Double(0.5), ValueType::Logical).logical);
  EXPECT_FALSE(ConvertValue(Value::OfText("0"), ValueType::Logical).logical);
  EXPECT_DOUBLE_EQ(ConvertValue(Value::OfText("2.5"), ValueType::Double).doubleFloat, 2.5);
  EXPECT_FLOAT_EQ(ConvertValue(Value::Integer(3), ValueType::Float).singleFloat, 3.0f);
  EXPECT_EQ(ConvertValue(Value::Integer(-7), ValueType::Text).text, "-7");
  EXPECT_EQ(ConvertValue(Value::Double(0.25), ValueType::Text).text, "0.25");
  EXPECT_EQ(ConvertValue(Value::Logical(true), ValueType::Text).text, "1");
  EXPECT_EQ(ConvertValue(Value::OfText("kept"), ValueType::Text).text, "kept");
  // Beyond the range of an integer: the nearest end, NaN none at all.
  EXPECT_EQ(ConvertValue(Value::Double(1e30), ValueType::Long).longInteger, INT64_MAX);
  EXPECT_EQ(ConvertValue(Value::Float(-1e30f), ValueType::Long).longInteger, INT64_MIN);
  EXPECT_EQ(ConvertValue(Value::Double(0.0 / 0.0), ValueType::Integer).integer, 0);
  // An undeclared type leaves the value as it is.
  EXPECT_EQ(ConvertValue(Value::OfText("as is"), ValueType::Absent).text, "as is");
}
