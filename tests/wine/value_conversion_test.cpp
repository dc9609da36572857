// Values written to a unit's property become the property's declared type.
#include <windows.h>

#include <gtest/gtest.h>

#include "frame/unit_properties.h"

namespace {

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
  // An undeclared type leaves the value as it is.
  EXPECT_EQ(ConvertValue(Value::OfText("as is"), ValueType::Absent).text, "as is");
}

TEST(ValueConversion, GeometryLimits) {
  EXPECT_EQ(LimitPosition(-40000), -32627);
  EXPECT_EQ(LimitPosition(32628), 32627);
  EXPECT_EQ(LimitPosition(-32627), -32627);
  EXPECT_EQ(LimitPosition(12), 12);
  EXPECT_EQ(LimitSize(-1), 0);
  EXPECT_EQ(LimitSize(40000), 32627);
  EXPECT_EQ(LimitSize(32627), 32627);
}

}  // namespace
