#include "widgets/image/image.h"

bool DrawImage(const DecodedImage* image, HDC hdc, int x, int y, int width, int height,
               COLORREF background) {
  if (image == nullptr) return false;
  PreparedImage prepared;
  if (!PrepareImage(*image, hdc, background, &prepared)) return false;
  const bool drawn = BlitImage(hdc, prepared, x, y, width, height, SRCCOPY);
  ReleasePreparedImage(&prepared);
  return drawn;
}
