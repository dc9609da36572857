// Every decoder that makes pixels, behind one call: the pictures of all
// kinds but icons and cursors, which need Windows to become an icon (see
// image.h). Pure code: builds for Windows and for the host.
#pragma once

#include "widgets/image/decoded_image.h"

// Detects the kind of `file` and runs its decoder (kinds 1, 2 and 5 to 8).
// False, with `out` untouched, for kinds 0, 3 and 4 and whatever the decoder
// refuses.
bool DecodePixels(ByteBlock file, DecodedImage* out);
