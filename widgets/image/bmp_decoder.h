// BMP files (kind 2): uncompressed bitmaps of 1, 4, 8, 24 or 32 bits per
// pixel. Pure code: builds for Windows and for the host.
#pragma once

#include "widgets/image/decoded_image.h"

// Decodes `file` into `out` (24-bit blue-green-red rows, bottom-up, not
// padded). False, with `out` untouched, for anything else: a compressed or
// 16-bit bitmap, a header or colour table cut short, pixel data that starts
// inside the headers, rows that end early, sizes beyond the limits.
bool DecodeBmp(ByteBlock file, DecodedImage* out);
