// A graphic button's picture of one state, made once into a bitmap of its
// own so that painting only copies it.
#pragma once

#include <windows.h>

#include "frame/template/byte_cursor.h"

// The bitmap of a picture property's bytes for the device context `hdc`:
// icons and cursors drawn over white at their own size, every other kind
// prepared as the image decoder prepares it, PNG transparency blended once
// against `blend`. nullptr for no picture, an unknown format or damaged
// bytes. The caller owns the bitmap.
HBITMAP StateBitmapFromPicture(const Bytes& picture, HDC hdc, COLORREF blend);
