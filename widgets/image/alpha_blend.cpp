#include "widgets/image/alpha_blend.h"

#include <cstring>

namespace {

// (a*c + (255-a)*b) / 255 to the nearest integer. The exact quotient is never
// a half (255 is odd), so adding 127 before the integer division rounds it;
// the result never exceeds 255.
inline uint8_t Mix(uint32_t alpha, uint32_t colour, uint32_t background) {
  return uint8_t((alpha * colour + (255 - alpha) * background + 127) / 255);
}

}  // namespace

void BlendOverBackground(const uint8_t* source, uint8_t* target, size_t count,
                         uint32_t background) {
  const uint32_t red = background & 0xFF;
  const uint32_t green = (background >> 8) & 0xFF;
  const uint32_t blue = (background >> 16) & 0xFF;
  for (size_t i = 0; i < count; ++i, source += 4, target += 4) {
    const uint32_t alpha = source[3];
    if (alpha == 255) {
      if (target != source) memcpy(target, source, 4);
      continue;
    }
    target[0] = Mix(alpha, source[0], blue);
    target[1] = Mix(alpha, source[1], green);
    target[2] = Mix(alpha, source[2], red);
    target[3] = uint8_t(alpha);
  }
}
