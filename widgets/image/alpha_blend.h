// PNG transparency blended once against a solid colour: what the picture's
// unit shows behind it never shows through. Pure code: builds for Windows
// and for the host.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies `count` blue-green-red-alpha pixels from `source` to `target` (the
// two may be the same buffer). A pixel whose alpha a is below 255 gets each
// colour channel c replaced by the nearest integer to
//   a/255 * c + (1 - a/255) * b
// where b is the matching channel of `background` (a COLORREF, 0x00BBGGRR);
// alpha is copied unchanged, and pixels with alpha 255 stay as they are.
void BlendOverBackground(const uint8_t* source, uint8_t* target, size_t count, uint32_t background);
