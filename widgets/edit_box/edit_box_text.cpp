#include "widgets/edit_box/edit_box_text.h"

#include "services/clamp.h"
#include "services/code_page.h"

namespace {

bool IsDigit(uint32_t character) { return character >= '0' && character <= '9'; }

}  // namespace

bool AcceptsCharacter(int32_t inputMode, uint32_t character) {
  if (character < 32) return true;
  switch (inputMode) {
    case 3:
    case 6:
    case 7:
    case 8:
      return IsDigit(character) || character == '-';
    case 4:
    case 9:
    case 10:
      return IsDigit(character) || character == '-' || character == '.';
    case 5:
      return IsDigit(character);
    default:
      return true;
  }
}

CharacterRange SelectionOf(int32_t selStart, int32_t selLength, int32_t characterCount) {
  if (characterCount < 0) characterCount = 0;
  if (selLength == -1) return CharacterRange{0, characterCount};
  const int32_t start = selStart == -1 ? characterCount : Clamp(selStart, 0, characterCount);
  return CharacterRange{start, Clamp(int64_t(start) + selLength, 0, characterCount)};
}

int32_t CharacterCount(const Text& text) {
  int32_t count = 0;
  for (size_t i = 0; i < text.size(); ++count)
    i += IsLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
  return count;
}

size_t ByteOffsetOf(const Text& text, int32_t position) {
  size_t offset = 0;
  for (int32_t i = 0; i < position && offset < text.size(); ++i)
    offset += IsLeadByte(text[offset]) && offset + 1 < text.size() ? 2 : 1;
  return offset;
}

Text CharactersBetween(const Text& text, int32_t start, int32_t end) {
  if (end < start) {
    const int32_t first = end;
    end = start;
    start = first;
  }
  const size_t from = ByteOffsetOf(text, start), to = ByteOffsetOf(text, end);
  return text.substr(from, to - from);
}
