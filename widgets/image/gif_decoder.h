// GIF pictures that are not animated (kind 5): the first image of the file.
// Pure code: builds for Windows and for the host.
#pragma once

#include "widgets/image/decoded_image.h"
#include "widgets/image/gif_stream.h"

// Decodes the first image of `file` into `out` as an 8-bit bitmap: header,
// 256 palette entries (the image's colour table, else the file's; entries
// the table lacks are black; a file with no table at all gets greyscale),
// then bottom-up rows padded to 4 bytes (layout in decoded_image.h). False,
// with `out` untouched, for a file cut short or damaged (see OpenGif), a file
// without images, and sizes beyond the limits.
bool DecodeGif(ByteBlock file, DecodedImage* out);

// The 256 palette entries of an image as blue, green, red, 0 (RGBQUAD) at
// `out` (1,024 bytes), filled in as DecodeGif describes.
void WriteGifPalette(const GifPalette& palette, uint8_t* out);
