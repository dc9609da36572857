#include "services/text_search.h"

#include <cstring>

#include "services/code_page.h"

namespace {

unsigned char Folded(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool SameBytes(const unsigned char* a, const unsigned char* b, size_t n, bool ignoreCase) {
  if (!ignoreCase) return memcmp(a, b, n) == 0;
  for (size_t i = 0; i < n; ++i)
    if (Folded(a[i]) != Folded(b[i])) return false;
  return true;
}

}  // namespace

int32_t FindText(const Text& text, const Text& pattern, int32_t start, bool ignoreCase) {
  // Texts end at their first NUL, as Windows sees them.
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.c_str());
  const auto* wanted = reinterpret_cast<const unsigned char*>(pattern.c_str());
  const size_t length = strlen(text.c_str());
  const size_t wantedLength = strlen(pattern.c_str());

  const size_t first = start > 1 ? size_t(start) - 1 : 0;
  if (first >= length) return -1;
  if (wantedLength == 0) return 1;  // not the start position

  for (size_t at = first; length - at >= wantedLength;) {
    if (SameBytes(bytes + at, wanted, wantedLength, ignoreCase)) return int32_t(at + 1);
    if (IsLeadByte(bytes[at])) {
      // A lead byte with no second byte ends the text.
      if (bytes[at + 1] == 0) return -1;
      at += 2;
    } else {
      at += 1;
    }
  }
  return -1;
}
