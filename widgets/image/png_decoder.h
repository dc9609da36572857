// PNG files (kind 8), decoded by libpng's simplified reading interface.
// Pure code: builds for Windows and for the host.
#pragma once

#include "widgets/image/decoded_image.h"

// Decodes `file` into `out` (32-bit blue, green, red, alpha rows, top-down,
// straight alpha). False, with `out` untouched, for a damaged stream, a file
// whose chunks do not run whole up to the end chunk, and sizes beyond the
// limits.
bool DecodePng(ByteBlock file, DecodedImage* out);
