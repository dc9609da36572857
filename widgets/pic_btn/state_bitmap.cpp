#include "widgets/pic_btn/state_bitmap.h"

#include "widgets/common/gdi_owners.h"
#include "widgets/image/image.h"

namespace {

// An icon has no bitmap of its own to copy: it is drawn once onto white.
HBITMAP IconOnWhite(const PreparedImage& prepared, HDC hdc) {
  BitmapOwner bitmap(CreateCompatibleBitmap(hdc, prepared.width, prepared.height));
  if (!bitmap) return nullptr;
  MemoryDc canvas(hdc);
  if (!canvas.Get()) return nullptr;
  canvas.Select(bitmap.Get());
  PatBlt(canvas.Get(), 0, 0, prepared.width, prepared.height, WHITENESS);
  if (!DrawIconEx(canvas.Get(), 0, 0, prepared.icon, prepared.width, prepared.height, 0, nullptr,
                  DI_NORMAL))
    return nullptr;
  return bitmap.Release();
}

}  // namespace

HBITMAP StateBitmapFromPicture(const Bytes& picture, HDC hdc, COLORREF blend) {
  if (picture.empty() || DetectImageKind(ViewOf(picture)) == kImageNone) return nullptr;
  // The decoded record is needed only until the bitmap exists.
  OwnedImage image(DecodeImage(ViewOf(picture)));
  if (!image) return nullptr;
  PreparedImage prepared;
  if (!PrepareImage(*image, hdc, blend, &prepared)) return nullptr;
  HBITMAP bitmap = prepared.icon ? IconOnWhite(prepared, hdc) : prepared.bitmap;
  // The bitmap now belongs to the button; an icon's stays with the record.
  prepared.bitmap = nullptr;
  ReleasePreparedImage(&prepared);
  return bitmap;
}
