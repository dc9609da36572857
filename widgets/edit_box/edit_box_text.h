// What an edit box decides about its text without asking the control: which
// typed characters an input mode lets through, where a selection given as
// SelStart and SelLength lies, and where a character position of the control
// falls in the code-page-936 bytes of its text. Pure code.
//
// The control is a wide one: it counts positions, and takes typed
// characters, in UTF-16 units. The text is code-page-936 bytes, where a
// two-byte character counts once (see services/code_page.h). The two counts
// agree: every character of code page 936 is one UTF-16 unit, and the text
// that the control hands back has one character for each of its units (the
// system's "?" for each unit with no code-page-936 form). So SelStart and
// SelLength are the control's own positions, and position p lies at byte
// ByteOffsetOf(text, p) of the text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "services/values.h"

// Whether the input filter of `inputMode` lets the typed character (a UTF-16
// unit) through. Control characters (below 32) always pass; from 32 up:
//   3, 6, 7, 8  digits and "-"
//   4, 9, 10    digits, "-" and "."
//   5           digits only
//   others      everything
// The filters let through only ASCII characters, the same in UTF-16 and in
// code page 936: what they refuse of a character from 0x80 up, they refused
// of each byte of its code-page-936 form.
bool AcceptsCharacter(int32_t inputMode, uint32_t character);

struct CharacterRange {
  int32_t start = 0;  // the anchor
  int32_t end = 0;    // the caret; may lie before the anchor
};

// The selection that SelStart and SelLength stand for in a text of
// `characterCount` characters: a SelLength of -1 selects everything, a
// SelStart of -1 is the end of the text; both ends are kept inside the text.
CharacterRange SelectionOf(int32_t selStart, int32_t selLength, int32_t characterCount);

// The number of characters of `text`.
int32_t CharacterCount(const Text& text);
// The byte offset of character `position` in `text` (its size past the end).
size_t ByteOffsetOf(const Text& text, int32_t position);
// The bytes of the characters from `start` to `end` (either order).
Text CharactersBetween(const Text& text, int32_t start, int32_t end);
