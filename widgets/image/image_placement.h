// Where a picture goes in a client area by display mode. Pure code: builds
// for Windows and for the host.
#pragma once

#include <cstdint>

struct ImagePlacement {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
};

enum ImageDisplayMode : int32_t {
  kDisplayNatural = 0,  // own size at (0, 0); what does not fit is cut off
  kDisplayStretch = 1,  // stretched to the client area
  kDisplayFit = 2,      // scaled to fit and centred, never enlarged
};

// The rectangle an image of `imageWidth` x `imageHeight` is drawn to in a
// client area of `clientWidth` x `clientHeight`. In the fit mode an image no
// larger than the area keeps its size and is centred ((W - w) / 2, integer
// division, in each dimension); a larger one is scaled by min(W / w, H / h),
// its scaled sides truncated, and centred in the same way. An empty image or
// area gives an empty rectangle. Modes outside 0..2 count as the nearest.
ImagePlacement PlaceImage(int32_t mode, int32_t clientWidth, int32_t clientHeight,
                          int32_t imageWidth, int32_t imageHeight);
