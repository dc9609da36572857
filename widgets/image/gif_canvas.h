// The frames of an animated GIF, drawn one after the other onto a canvas of
// the file's logical screen size: the part of the GIF player that knows
// nothing of windows. The picture box's worker thread owns one canvas; per
// frame it calls DrawNextGifFrame under its paint lock, copies `pixels` to
// the window, and waits the returned delay. Pure code: builds for Windows
// and for the host.
//
//   GifCanvas canvas;
//   if (OpenGifCanvas(bytes, backColour, &canvas)) {
//     uint32_t delay;
//     while (!stopRequested && DrawNextGifFrame(&canvas, &delay)) {
//       show canvas.pixels (canvas.width x canvas.height, 32-bit, top-down);
//       wait `delay` milliseconds from the start of the frame;
//     }
//     CloseGifCanvas(&canvas);
//   }
#pragma once

#include <cstdint>

#include "services/values.h"
#include "widgets/image/gif_stream.h"

struct GifArea {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct GifCanvas {
  GifStream stream;
  int32_t width = 0;  // the logical screen
  int32_t height = 0;
  // width * height pixels of blue, green, red, alpha (always 255), rows
  // top-down: a 32-bit top-down DIB's bits.
  uint8_t* pixels = nullptr;
  // The last frame drawn: its disposal, the canvas area it covered, and (for
  // the two disposals that give the area back) that area as it was before.
  // The copy is allocated when a frame first needs one.
  uint8_t lastDisposal = 0;
  GifArea lastArea;
  uint8_t* saved = nullptr;
  uint64_t savedCapacity = 0;
};

// A logical screen of up to this many pixels may be larger than what its
// images cover (16 MB of canvas).
constexpr uint64_t kGifFreeScreenPixels = uint64_t(1) << 22;

// Opens the animation in `file` (which must outlive the canvas) and fills
// the canvas with `background`, a COLORREF (0x00BBGGRR). False, with nothing
// to close and nothing allocated, when the file does not open as a GIF (see
// OpenGif), when no image can be played, when the logical screen is larger
// than both kGifFreeScreenPixels and the pixels its playable images cover
// (a few bytes would otherwise claim hundreds of megabytes of background),
// or when the canvas cannot be had.
bool OpenGifCanvas(ByteBlock file, uint32_t background, GifCanvas* canvas);

// Draws the next frame:
//   1. if the last frame's disposal was restore-to-background (8) or
//      restore-to-previous (12), gives the area it covered back from the
//      copy taken before it was drawn;
//   2. reads the next image (starting over after the trailer);
//   3. if its disposal is 8 or 12, copies the area it will cover;
//   4. draws it, leaving the canvas as it is under pixels of the transparent
//      index when its transparency flag is set; parts outside the logical
//      screen are cut off.
// `*delayMs` is the time the frame stays: its delay in milliseconds, or 50
// for a delay of 0. False when playback ends: a block that is no GIF block,
// damaged image data, no image at all, or no memory for the copy of step 3;
// the canvas then stays as step 1 left it.
bool DrawNextGifFrame(GifCanvas* canvas, uint32_t* delayMs);

void CloseGifCanvas(GifCanvas* canvas);

// The pixel a COLORREF stands for on the canvas.
uint32_t CanvasPixelOf(uint32_t colorref);
