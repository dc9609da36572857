#include "services/wide_text.h"

#include <climits>
#include <cstring>
#include <cwchar>

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

WidePath::WidePath(const Text& path) {
  const WideText wide(path);
  units_.assign(wide.c_str(), size_t(wide.Length()));
}

WidePath::WidePath(const char* path) : WidePath(Text(path ? path : "")) {}

WidePath WidePath::OfUnits(const wchar_t* units, size_t length) {
  WidePath path;
  if (units) path.units_.assign(units, length);
  return path;
}

WidePath WidePath::OfUnits(const wchar_t* units) {
  return OfUnits(units, units ? wcslen(units) : 0);
}

size_t WidePath::LastBackslash() const {
  const size_t last = units_.rfind(L'\\');
  return last == std::wstring::npos ? units_.size() : last;
}

WidePath WidePath::Head(size_t units) const {
  return OfUnits(c_str(), units < Length() ? units : Length());
}

WidePath WidePath::Tail(size_t from) const {
  return from < Length() ? OfUnits(c_str() + from, Length() - from) : WidePath();
}

WidePath& WidePath::operator+=(const WidePath& more) {
  units_ += more.units_;
  return *this;
}

bool SamePath(const WidePath& a, const WidePath& b) {
  return CompareStringOrdinal(a.c_str(), Bounded(a.Length()), b.c_str(), Bounded(b.Length()),
                              TRUE) == CSTR_EQUAL;
}

namespace {

// WC_NO_BEST_FIT_CHARS: a character without an exact form becomes the
// default character, which the flag then reports.
Text TextWithoutBestFit(const WidePath& path, bool* lossy) {
  const int count = Bounded(path.Length());
  BOOL usedDefault = FALSE;
  *lossy = false;
  if (count == 0) return Text();
  Text text(size_t(count) * 2, '\0');
  const int bytes = WideCharToMultiByte(kTextCodePage, WC_NO_BEST_FIT_CHARS, path.c_str(), count,
                                        &text[0], count * 2, nullptr, &usedDefault);
  *lossy = bytes <= 0 || usedDefault;
  text.resize(size_t(bytes > 0 ? bytes : 0));
  return text;
}

}  // namespace

bool TextOfPath(const WidePath& path, Text* text) {
  bool lossy = false;
  Text exact = TextWithoutBestFit(path, &lossy);
  if (lossy) return false;
  *text = exact;
  return true;
}

Text ShownTextOfPath(const WidePath& path) {
  bool lossy = false;
  return TextWithoutBestFit(path, &lossy);
}
