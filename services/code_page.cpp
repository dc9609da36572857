#include "services/code_page.h"

size_t LastBackslash(const char* text, size_t length) {
  size_t last = length;
  for (size_t i = 0; i < length; ++i) {
    if (IsLeadByte(text[i]) && i + 1 < length)
      ++i;
    else if (text[i] == '\\')
      last = i;
  }
  return last;
}

bool SamePath(const char* a, const char* b) {
  auto folded = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
  for (;;) {
    if (IsLeadByte(*a) || IsLeadByte(*b)) {
      // Both characters whole: lead and second byte, unfolded.
      if (a[0] != b[0]) return false;
      if (a[1] == '\0' || b[1] == '\0') return a[1] == b[1];
      if (a[1] != b[1]) return false;
      a += 2;
      b += 2;
      continue;
    }
    if (folded(*a) != folded(*b)) return false;
    if (*a == '\0') return true;
    ++a;
    ++b;
  }
}

Text CharacterCodeBytes(int32_t code) {
  const uint32_t low = uint32_t(code) & 0xFFFF;
  if (low == 0) return Text();
  if (low < 0x100) return Text(1, char(low));
  return Text{char(low >> 8), char(low & 0xFF)};
}
