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
