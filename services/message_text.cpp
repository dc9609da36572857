#include "services/message_text.h"

#include <cmath>

#include "services/number_text.h"

namespace {

constexpr uint32_t kSystemModal = 0x1000;
constexpr uint32_t kTaskModal = 0x2000;

// Days since 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's
// civil_from_days).
void DateFromDays(int64_t z, CivilTime* out) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t d = doy - (153 * mp + 2) / 5 + 1;
  const int64_t m = mp < 10 ? mp + 3 : mp - 9;
  out->year = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
  out->month = int(m);
  out->day = int(d);
}

Text DateText(double dateValue) {
  const CivilTime t = CivilTimeOf(dateValue);
  Text text =
      DecimalText(t.year) + kYear + DecimalText(t.month) + kMonth + DecimalText(t.day) + kDay;
  if (t.second != 0)
    text += DecimalText(t.hour) + kHour + DecimalText(t.minute) + kMinute + DecimalText(t.second) +
            kSecond;
  else if (t.minute != 0)
    text += DecimalText(t.hour) + kHour + DecimalText(t.minute) + kMinute;
  else if (t.hour != 0)
    text += DecimalText(t.hour) + kHour;
  return text;
}

}  // namespace

CivilTime CivilTimeOf(double dateValue) {
  CivilTime t;
  // Outside about ±10 million years the day count no longer fits the
  // arithmetic below; such a value is no date anyone shows.
  if (!std::isfinite(dateValue) || std::fabs(dateValue) > 3.0e9) return t;
  // The integer part counts days, the fraction the time of that day, even
  // below zero: -1.25 is 1899-12-29 06:00.
  double wholeDays = std::trunc(dateValue);
  double fraction = std::fabs(dateValue - wholeDays);
  int64_t seconds = int64_t(std::llround(fraction * 86400.0));
  int64_t days = int64_t(wholeDays);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += dateValue < 0 ? -1 : 1;
  }
  // 1899-12-30 is day -25569 of the Unix epoch.
  DateFromDays(days - 25569, &t);
  t.hour = int(seconds / 3600);
  t.minute = int(seconds / 60 % 60);
  t.second = int(seconds % 60);
  return t;
}

Text MessageTextOf(const Value& value) {
  switch (value.type) {
    case ValueType::Text:
      return value.text;
    case ValueType::Integer:
      return DecimalText(value.integer);
    case ValueType::Short:
      return DecimalText(value.shortInteger);
    case ValueType::Byte:
      return DecimalText(value.byte);
    case ValueType::Long:
      return DecimalText(value.longInteger);
    case ValueType::Float:
      return RealText(double(value.singleFloat), 6);
    case ValueType::Double:
      return RealText(value.doubleFloat, 13);
    case ValueType::Logical:
      return value.logical ? Text(kTrue) : Text(kFalse);
    case ValueType::DateTime:
      return DateText(value.dateTime);
    case ValueType::Absent:
    case ValueType::Block:
    case ValueType::Unit:
      return Text();
  }
  return Text();
}

uint32_t MessageBoxStyleOf(uint32_t style) {
  if (style & kSystemModal) return style;
  return style | kTaskModal;
}

ButtonCode ButtonCodeOf(int messageBoxResult) {
  // IDOK (1) to IDNO (7).
  if (messageBoxResult >= 1 && messageBoxResult <= 7) return ButtonCode(messageBoxResult - 1);
  return ButtonCode::Ok;
}
