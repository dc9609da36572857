// Text search over code-page-936 byte strings.
#pragma once

#include <cstdint>

#include "services/values.h"

// The 1-based byte position of the first occurrence of `pattern` in `text`
// at or after byte `start` (1-based; 0, 1 and every negative value mean the
// first byte, as does an absent start), or -1. A match never begins on the
// second byte of a two-byte character. With `ignoreCase` the letters A to Z
// equal a to z and every other byte compares exactly. The empty pattern is
// found at 1 in any non-empty range.
int32_t FindText(const Text& text, const Text& pattern, int32_t start = 0, bool ignoreCase = false);
