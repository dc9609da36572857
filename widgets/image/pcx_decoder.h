// PCX files: 8 bits per pixel (kind 6) and 1 bit per pixel in one plane
// (kind 7). Pure code: builds for Windows and for the host.
#pragma once

#include "widgets/image/decoded_image.h"

// Decodes `file` into `out`, as kind 6 or 7 by its bits per pixel (layouts in
// decoded_image.h). An 8-bit file whose image data is not followed by the
// palette marker 12 gets a greyscale palette (entry i is grey level i), the
// usual reading of 8-bit values without a palette. False, with `out`
// untouched, for a header that is not a PCX header of those two forms, run
// data that ends before the image is full, a palette cut short after its
// marker, and sizes beyond the limits.
bool DecodePcx(ByteBlock file, DecodedImage* out);
