// Pictures for the units that show them (picture box, window background and
// icon, graphic button, check box, label): decoding a picture property's
// bytes into the record a unit keeps, and drawing that record into a device
// context.
//
// One drawing: DrawImage. A unit that draws the same picture several times
// per paint prepares it once (PrepareImage), blits it as often as it needs
// (BlitImage, or BlitImageTransparent with a key colour), then releases it.
//
// Sizes: a width or height of -1 stands for the image's own size in that
// dimension; any other size stretches the image to it, with HALFTONE when
// the display has more than 16 bits per pixel, else COLORONCOLOR.
#pragma once

#include <windows.h>

#include <memory>

#include "widgets/image/decoded_image.h"
#include "frame/icon_directory.h"

// Decodes `file` by the kind its first bytes show. Icons and cursors become
// an icon from the entry chosen for `wantedIconWidth` (kPictureIconWidth for
// pictures and a window's big icon, kSmallIconWidth for its small icon); GIF
// gives its first image. nullptr for no image: an unknown format, bad or
// truncated data, a size beyond the limits, or no memory for it.
DecodedImage* DecodeImage(ByteBlock file, int wantedIconWidth = kPictureIconWidth);

// Destroys the record, its icon and its pixel buffer. nullptr is allowed.
void FreeImage(DecodedImage* image);

struct FreeImageDeleter {
  void operator()(DecodedImage* image) const { FreeImage(image); }
};
// A unit's picture: freed with the unit.
using OwnedImage = std::unique_ptr<DecodedImage, FreeImageDeleter>;

// An image turned into something GDI can draw into a given device context.
struct PreparedImage {
  HBITMAP bitmap = nullptr;  // owned; kinds 1, 2 and 5 to 8
  HICON icon = nullptr;      // the record's own icon (kinds 3, 4); not owned
  int width = 0;
  int height = 0;
};

// Makes the bitmap of `image` for `hdc`:
//   kinds 1, 2  rows padded to 4 bytes, a 24-bit bottom-up bitmap
//   kinds 5, 6  the stored 8-bit header, palette and rows
//   kind 7      a 1-bit monochrome bitmap of the stored rows
//   kind 8      a 32-bit top-down bitmap of the pixels blended once against
//               `background` (see alpha_blend.h); 0xFF000000 there stands
//               for the default colour, COLOR_BTNFACE
//   kinds 3, 4  no bitmap: the icon is drawn as it is
// The device-dependent bitmaps take the format of the bitmap selected into
// `hdc` (the screen's, for a window's device context). False when `image`
// is empty or damaged or GDI refuses; `*prepared` is then empty.
bool PrepareImage(const DecodedImage& image, HDC hdc, COLORREF background, PreparedImage* prepared);
void ReleasePreparedImage(PreparedImage* prepared);

// Draws the whole image to the rectangle at (x, y) with raster operation
// `rop` (icons with DrawIconEx, DI_NORMAL, whatever `rop` says).
bool BlitImage(HDC hdc, const PreparedImage& prepared, int x, int y, int width, int height,
               DWORD rop = SRCCOPY);

// Draws the image so that its pixels of exactly `key` leave the target as it
// was: three passes through a monochrome mask of the key colour (image
// SRCINVERT, mask SRCAND, image SRCINVERT). Icons are drawn as BlitImage
// draws them.
bool BlitImageTransparent(HDC hdc, const PreparedImage& prepared, int x, int y, int width,
                          int height, COLORREF key);

// Prepares, blits with SRCCOPY and releases in one call. `background` is the
// colour PNG transparency is blended against (kind 8 only).
bool DrawImage(const DecodedImage* image, HDC hdc, int x, int y, int width, int height,
               COLORREF background);
