#include "services/wide_text.h"

#include <climits>
#include <cstring>

namespace {

constexpr UINT kTextCodePage = 936;

// Windows counts in int; no text of the program comes near that.
int Bounded(size_t length) { return length > size_t(INT_MAX / 2) ? INT_MAX / 2 : int(length); }

}  // namespace

WideText::WideText(const char* text) : WideText(text, text ? strlen(text) : 0) {}

WideText::WideText(const char* text, size_t length) {
  const int bytes = Bounded(length);
  if (bytes == 0) return;
  units_ = new wchar_t[size_t(bytes) + 1];
  const int units = MultiByteToWideChar(kTextCodePage, 0, text, bytes, units_, bytes);
  length_ = units > 0 ? units : 0;
  units_[length_] = L'\0';
}

WideText& WideText::operator=(WideText&& other) noexcept {
  if (this != &other) {
    delete[] units_;
    units_ = other.units_;
    length_ = other.length_;
    other.units_ = nullptr;
    other.length_ = 0;
  }
  return *this;
}

WideText WideText::Room(size_t units) {
  WideText room;
  room.length_ = Bounded(units);
  room.units_ = new wchar_t[size_t(room.length_) + 1]();
  return room;
}

Text TextOfWide(const wchar_t* units, size_t length) {
  const int count = Bounded(length);
  if (count == 0) return Text();
  // A unit becomes one byte or two.
  Text text(size_t(count) * 2, '\0');
  const int bytes =
      WideCharToMultiByte(kTextCodePage, 0, units, count, &text[0], count * 2, nullptr, nullptr);
  text.resize(size_t(bytes > 0 ? bytes : 0));
  return text;
}

Text TextOfWide(const wchar_t* units) { return units ? TextOfWide(units, wcslen(units)) : Text(); }
