#include "services/message_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gbk.h"
#include "texts/messages.h"
#include "texts/setup_messages.h"

namespace {

// 2001-03-02 is day 36952 after 1899-12-30.
constexpr double kMarch2nd2001 = 36952.0;

TEST(MessageText, EveryTypeIsFormattedAsShown) {
  struct Case {
    Value value;
    std::string shown;
  } cases[] = {
      {Value::Integer(42), "42"},
      {Value::Integer(-2147483647 - 1), "-2147483648"},
      {Value::Short(-7), "-7"},
      {Value::Byte(255), "255"},
      {Value::Long(-9000000000000000000LL), "-9000000000000000000"},
      {Value::Float(3.14159274f), "3.14159"},
      {Value::Float(1234567.0f), "1.23457e+06"},
      {Value::Double(0.1), "0.1"},
      {Value::Double(1.0 / 3.0), "0.3333333333333"},
      {Value::Double(12345678901234.0), "1.234567890123e+13"},
      {Value::Logical(true), kTrue},
      {Value::Logical(false), kFalse},
      {Value::OfText(kAcceptFirst), kAcceptFirst},
      {Value::OfBlock(ByteBlock{}), ""},
      {Value::OfUnit(UnitRef{WindowId{0x52010001}}), ""},
      {Value(), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageTextOf(c.value), c.shown);
}

TEST(MessageText, DatesShowOnlyTheTimePartsThatAreNotZero) {
  const double hour = 1.0 / 24, minute = hour / 60, second = minute / 60;
  struct Case {
    double date;
    const char* shown;
  } cases[] = {
      {kMarch2nd2001, "2001年3月2日"},
      {kMarch2nd2001 + 14 * hour + 5 * minute, "2001年3月2日14时5分"},
      {kMarch2nd2001 + 14 * hour, "2001年3月2日14时"},
      {kMarch2nd2001 + 5 * minute, "2001年3月2日0时5分"},
      {kMarch2nd2001 + 9 * second, "2001年3月2日0时0分9秒"},
      {kMarch2nd2001 + 23 * hour + 59 * minute + 59 * second, "2001年3月2日23时59分59秒"},
      // Just below midnight rounds up into the next day, not to 24时.
      {kMarch2nd2001 + 1.0 - 0.1 * second, "2001年3月3日"},
      {0.0, "1899年12月30日"},
      {-1.25, "1899年12月29日6时"},
      {60.0, "1900年2月28日"},
      {61.0, "1900年3月1日"},
      {2958465.0, "9999年12月31日"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MessageTextOf(Value::DateTime(c.date)), Gbk(c.shown)) << c.date;
}

TEST(MessageText, DatesOutOfAnyCalendarDoNotFault) {
  for (double v : {double(NAN), double(INFINITY), -double(INFINITY), 1e300, -1e300})
    EXPECT_FALSE(MessageTextOf(Value::DateTime(v)).empty());
}

TEST(MessageText, DefaultCaption) { EXPECT_EQ(std::string(kDefaultMessageCaption), Gbk("信息：")); }

TEST(MessageBoxStyle, TaskModalUnlessSystemModal) {
  EXPECT_EQ(MessageBoxStyleOf(0), 0x2000u);
  EXPECT_EQ(MessageBoxStyleOf(0x4 | 0x20), 0x2024u);
  EXPECT_EQ(MessageBoxStyleOf(0x2000), 0x2000u);
  EXPECT_EQ(MessageBoxStyleOf(0x1000), 0x1000u);
  EXPECT_EQ(MessageBoxStyleOf(0x1000 | 0x10), 0x1010u);
}

TEST(MessageBoxStyle, ButtonCodeIsOneLessThanTheButtonIdentifier) {
  using B = ButtonCode;
  const ButtonCode expected[] = {B::Ok,  B::Ok, B::Cancel, B::Abort, B::Retry, B::Ignore,
                                 B::Yes, B::No, B::Ok,     B::Ok,    B::Ok};
  for (int id = 0; id <= 10; ++id) EXPECT_EQ(ButtonCodeOf(id), expected[id]) << id;
  EXPECT_EQ(ButtonCodeOf(-1), B::Ok);
  EXPECT_EQ(int32_t(B::Yes), 5);
  EXPECT_EQ(int32_t(B::No), 6);
}

}  // namespace
