#include "widgets/check_box/check_box_picture.h"

void CheckBoxPicture::Load(const Bytes& file, uint32_t backColor) {
  ReleasePreparedImage(&prepared_);
  image_.reset();
  if (file.empty()) return;
  image_.reset(DecodeImage(ViewOf(file)));
  if (!image_) return;
  // Bitmaps take the format of the screen, where the control shows them.
  HDC screen = GetDC(nullptr);
  const bool prepared = screen && PrepareImage(*image_, screen, COLORREF(backColor), &prepared_);
  if (screen) ReleaseDC(nullptr, screen);
  if (!prepared) image_.reset();
}

DWORD CheckBoxPicture::Style() const {
  if (prepared_.icon) return BS_ICON;
  if (prepared_.bitmap) return BS_BITMAP;
  return 0;
}

void CheckBoxPicture::Show(HWND hwnd) const {
  if (prepared_.icon)
    SendMessageW(hwnd, BM_SETIMAGE, IMAGE_ICON, LPARAM(prepared_.icon));
  else if (prepared_.bitmap)
    SendMessageW(hwnd, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(prepared_.bitmap));
}
