#include "services/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

Text DecimalText(int64_t value) {
  char digits[24];
  size_t length = 0;
  // Through the unsigned magnitude, which INT64_MIN has too.
  uint64_t rest = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  do {
    digits[length++] = char('0' + rest % 10);
    rest /= 10;
  } while (rest);
  Text text = value < 0 ? "-" : "";
  while (length) text += digits[--length];
  return text;
}

Text RealText(double value, int significantDigits) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[40];
#ifdef _WIN32
  // msvcrt's _snprintf: no terminator when the text fills the buffer (it
  // never does here), and always three exponent digits, where C99 writes as
  // few as two.
  _snprintf(buffer, sizeof buffer - 1, "%.*g", significantDigits, value);
  buffer[sizeof buffer - 1] = '\0';
#else
  snprintf(buffer, sizeof buffer, "%.*g", significantDigits, value);
#endif
  Text text = buffer;
  // "e", its sign, then the digits: three of them, a zero first, become two.
  const size_t e = text.find('e');
  if (e != Text::npos && text.size() - (e + 2) == 3 && text[e + 2] == '0') text.erase(e + 2, 1);
  return text;
}

int64_t LeadingInteger(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // The magnitude, held one past the range's positive end.
  const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
  uint64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    const unsigned digit = unsigned(*p - '0');
    if (magnitude > (limit - digit) / 10) return negative ? INT64_MIN : INT64_MAX;
    magnitude = magnitude * 10 + digit;
  }
  return negative ? int64_t(0 - magnitude) : int64_t(magnitude);
}

double LeadingReal(const char* text) {
#ifdef _WIN32
  return atof(text);  // msvcrt's: strtod(text, nullptr) for decimal numbers
#else
  return strtod(text, nullptr);
#endif
}
