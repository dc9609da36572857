// JPEG files (kind 1), decoded by libjpeg. Pure code: builds for Windows and
// for the host.
#pragma once

#include "widgets/image/decoded_image.h"

// Decodes `file` into `out` (24-bit blue-green-red rows, bottom-up, not
// padded; a greyscale image has the same grey in all three channels). False,
// with `out` untouched, for a damaged or truncated stream (anything libjpeg
// warns about counts as damage), colour spaces
// other than greyscale and three-component colour, and sizes beyond the
// limits. libjpeg's fatal errors come back as a false result; they never end
// the program.
bool DecodeJpeg(ByteBlock file, DecodedImage* out);
