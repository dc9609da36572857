// Code page 936 inside, UTF-16 at the edge. Every text of the program is
// code page 936 (services/values.h); every Windows call that takes or gives
// text is a wide entry point, and this is the one place where the two meet:
// a text goes to Windows as a WideText, and what Windows hands back comes
// home as code page 936 through TextOfWide. No other code converts.
//
// Both directions convert exactly as the ANSI entry points do on Windows
// whose ANSI code page is 936 (no flags, the system's default character),
// so that there every name, text and value is what those entry points made
// of it; on any other Windows the program means the same. A character that
// has no code-page-936 form comes home as the system's replacement, "?",
// which no file name holds: a path with one names no file, and nothing is
// written under it.
//
// Code page 936 is part of every Windows since Vista, whatever its language.
#pragma once

#include <windows.h>

#include <cstddef>

#include "services/values.h"

// The UTF-16 form of a code-page-936 text, NUL-terminated, for one call (or a
// few) of a wide entry point. Each byte of the text gives at most one UTF-16
// unit: a two-byte character of code page 936 is one unit.
class WideText {
 public:
  WideText() = default;
  explicit WideText(const Text& text) : WideText(text.data(), text.size()) {}
  // A NUL-terminated text; nullptr is the empty text.
  explicit WideText(const char* text);
  WideText(const char* text, size_t length);
  ~WideText() { delete[] units_; }
  WideText(WideText&& other) noexcept : units_(other.units_), length_(other.length_) {
    other.units_ = nullptr;
    other.length_ = 0;
  }
  WideText& operator=(WideText&& other) noexcept;
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  // Room for a text of up to `units` units that Windows writes, all NUL.
  static WideText Room(size_t units);

  const wchar_t* c_str() const { return units_ ? units_ : L""; }
  // For Windows to write into: Length() + 1 units, the last one NUL.
  wchar_t* Buffer() { return units_; }
  // The units, without the terminating NUL.
  int Length() const { return length_; }
  bool Empty() const { return length_ == 0; }

 private:
  wchar_t* units_ = nullptr;
  int length_ = 0;
};

// The code-page-936 form of `length` UTF-16 units.
Text TextOfWide(const wchar_t* units, size_t length);
// The code-page-936 form of a NUL-terminated wide text; nullptr is empty.
Text TextOfWide(const wchar_t* units);
