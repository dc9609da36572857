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
// has no code-page-936 form comes home as the system's replacement, "?".
//
// Paths that Windows gives (its folders, the temporary folder, the program's
// own file) are another matter: a user's name need not fit code page 936,
// and that conversion best-fits ("Guðrún" comes home as "Guerún", another
// user's valid name). Such a path stays a WidePath, in UTF-16, from the call
// that gives it to the call that uses it; the program's own names join it
// converted from code page 936, which is always exact. A path becomes a text
// only where a text must name it, and then exactly or not at all.
//
// Code page 936 is part of every Windows since Vista, whatever its language.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

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

// A path as Windows names it: UTF-16 units, NUL-terminated. Made from what
// Windows gives (OfUnits), or from a path or name of the program's own
// (the fixed folders, "tervilo", "Morvane.lnk"), whose code-page-936 text
// always has its exact UTF-16 form: hence the implicit conversion, which
// only ever goes this way.
class WidePath {
 public:
  WidePath() = default;
  WidePath(const Text& path);  // NOLINT: the program's own paths are paths
  WidePath(const char* path);  // NOLINT: as the literals of the program
  static WidePath OfUnits(const wchar_t* units, size_t length);
  // A NUL-terminated path of Windows; nullptr is the empty path.
  static WidePath OfUnits(const wchar_t* units);

  const wchar_t* c_str() const { return units_.c_str(); }
  // For Windows to write into (CreateProcessW's command line): Length() + 1
  // units, the last one NUL.
  wchar_t* Buffer() { return &units_[0]; }
  size_t Length() const { return units_.size(); }
  bool Empty() const { return units_.empty(); }
  wchar_t Last() const { return units_.empty() ? L'\0' : units_.back(); }

  // The index of the last backslash, or Length() when there is none. A
  // UTF-16 unit is never part of another character, so a plain search.
  size_t LastBackslash() const;
  // The first `units` units, and what follows them.
  WidePath Head(size_t units) const;
  WidePath Tail(size_t from) const;

  WidePath& operator+=(const WidePath& more);
  friend WidePath operator+(WidePath path, const WidePath& more) { return path += more; }

 private:
  std::wstring units_;
};

// Whether two paths name the same file as Windows compares names: without
// regard to case, by the file system's own rule.
bool SamePath(const WidePath& a, const WidePath& b);

// The exact code-page-936 text of a path, for a text that must name it (a
// registry value, a command line). False, with nothing in `text`, where a
// character has no code-page-936 form or only an approximation of one: a
// best fit would name another file.
bool TextOfPath(const WidePath& path, Text* text);

// A path as a person is shown it in a text of the program (a message): each
// character without an exact code-page-936 form is the system's "?", never
// an approximation, so that what is shown names no other file.
Text ShownTextOfPath(const WidePath& path);
