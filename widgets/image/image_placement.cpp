#include "widgets/image/image_placement.h"

ImagePlacement PlaceImage(int32_t mode, int32_t clientWidth, int32_t clientHeight,
                          int32_t imageWidth, int32_t imageHeight) {
  ImagePlacement placement;
  if (clientWidth <= 0 || clientHeight <= 0 || imageWidth <= 0 || imageHeight <= 0)
    return placement;
  if (mode <= kDisplayNatural) {
    placement.width = imageWidth;
    placement.height = imageHeight;
    return placement;
  }
  if (mode == kDisplayStretch) {
    placement.width = clientWidth;
    placement.height = clientHeight;
    return placement;
  }
  const int64_t w = imageWidth, h = imageHeight, cw = clientWidth, ch = clientHeight;
  int64_t width = w, height = h;
  if (w > cw || h > ch) {
    // The scale is cw/w or ch/h, whichever is smaller (cw*h <= ch*w compares
    // them without division). Kept as a fraction so that the truncation of
    // the other side is exact.
    if (cw * h <= ch * w) {
      width = cw;
      height = h * cw / w;
    } else {
      width = w * ch / h;
      height = ch;
    }
  }
  placement.x = int32_t((cw - width) / 2);
  placement.y = int32_t((ch - height) / 2);
  placement.width = int32_t(width);
  placement.height = int32_t(height);
  return placement;
}
