// Numbers as text and back, as C99 writes and reads them. Built in both
// trees: natively, and for Windows, where the system's C runtime does the
// work and its differences (three exponent digits, no "inf") are evened out.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "services/number_text.h"

namespace {

TEST(NumberText, DecimalsOfTheWholeRange) {
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(-7), "-7");
  EXPECT_EQ(DecimalText(INT64_MAX), "9223372036854775807");
  EXPECT_EQ(DecimalText(INT64_MIN), "-9223372036854775808");
}

TEST(NumberText, RealsAsPrintfGWritesThem) {
  const struct {
    double value;
    int digits;
    const char* text;
  } cases[] = {
      {0.1, 13, "0.1"},
      {1.0 / 3, 13, "0.3333333333333"},
      {1e20, 13, "1e+20"},
      {1.5e-7, 6, "1.5e-07"},
      {2.5e100, 13, "2.5e+100"},
      {-123456.0, 6, "-123456"},
      {1234567.0, 6, "1.23457e+06"},
      {0.0, 13, "0"},
      {std::numeric_limits<double>::infinity(), 13, "inf"},
      {-std::numeric_limits<double>::infinity(), 6, "-inf"},
      {std::nan(""), 13, "nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(RealText(c.value, c.digits), c.text) << c.text;
}

TEST(NumberText, LeadingNumbersAsStrtollAndStrtodReadThem) {
  EXPECT_EQ(LeadingInteger("  \t+42abc"), 42);
  EXPECT_EQ(LeadingInteger("-17"), -17);
  EXPECT_EQ(LeadingInteger("x1"), 0);
  EXPECT_EQ(LeadingInteger(""), 0);
  EXPECT_EQ(LeadingInteger("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(LeadingInteger("9223372036854775808"), INT64_MAX);
  EXPECT_EQ(LeadingInteger("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(LeadingInteger("-99999999999999999999"), INT64_MIN);
  EXPECT_EQ(LeadingReal(" 2.5e3x"), 2500.0);
  EXPECT_EQ(LeadingReal("-0.125"), -0.125);
  EXPECT_EQ(LeadingReal("abc"), 0.0);
}

}  // namespace
