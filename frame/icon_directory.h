// The directory of an icon (ICO) or cursor (CUR) file: which of its images a
// picture or a unit's mouse pointer shows, and the size of that image. Pure
// code: builds for Windows and for the host; the icon itself is made in
// widgets/image/decode_image.cpp, the pointer in mouse_pointer.cpp. It lies
// with the frame, which reads a unit's mouse pointer from its record.
#pragma once

#include <cstdint>

#include "services/values.h"

// Pictures and a window's big icon want 32 pixels, a window's small icon 16.
constexpr int kPictureIconWidth = 32;
constexpr int kSmallIconWidth = 16;

struct IconEntryChoice {
  int type = 0;     // 1 icon, 2 cursor
  ByteBlock image;  // the chosen entry's image bytes, inside the file
};

// Chooses an entry of the directory of `file`: the first whose colour count
// is at least 16 and whose width byte equals `wantedWidth`, else the last
// one. (A colour count of 0 means 256 colours or more and never matches, so
// a file of true-colour entries gives its last entry.) False for a header
// that is not an icon or cursor directory, a directory cut short, and a
// chosen image whose bytes do not lie inside the file.
bool ChooseIconEntry(ByteBlock file, int wantedWidth, IconEntryChoice* choice);

// The size and colour depth of an icon image: from its BITMAPINFOHEADER (the
// height there counts the colour and the mask bitmaps, so it is halved), or
// from the header chunk of a PNG-compressed image. False when the image is
// neither, when its sizes are out of bounds, or when its bytes are fewer than
// its header says the colour bitmap, mask and colour table take (Windows
// would read past them).
struct IconImageSize {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitCount = 0;
};
bool ReadIconImageSize(ByteBlock image, IconImageSize* size);

// The first image of a cursor file, as a unit's mouse pointer is made of it.
struct CursorFileImage {
  ByteBlock image;  // the entry's image bytes, inside the file
  uint16_t hotSpotX = 0;
  uint16_t hotSpotY = 0;
  IconImageSize size;
};
// False for a header that is not a cursor directory (type 2), a directory
// cut short, an image whose bytes do not lie inside the file, and an image
// that ReadIconImageSize refuses: the same checks a picture's icon gets
// before Windows reads it.
bool ReadCursorFileImage(ByteBlock file, CursorFileImage* cursor);
