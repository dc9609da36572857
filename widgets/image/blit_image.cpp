// The blit step: a prepared image drawn to a rectangle of a device context.
#include "widgets/image/image.h"

namespace {

// The stretch mode for the current display: HALFTONE averages the pixels a
// shrunk image loses, which only looks right with more than 16 bits per
// pixel; below that COLORONCOLOR keeps the colours clean. The stretch mode
// and the brush origin HALFTONE needs are put back afterwards.
class StretchModeScope {
 public:
  explicit StretchModeScope(HDC hdc) : hdc_(hdc) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    const bool deep =
        EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) && mode.dmBitsPerPel > 16;
    oldMode_ = SetStretchBltMode(hdc, deep ? HALFTONE : COLORONCOLOR);
    if (deep) SetBrushOrgEx(hdc, 0, 0, &oldOrigin_);
    halftone_ = deep;
  }
  ~StretchModeScope() {
    if (oldMode_) SetStretchBltMode(hdc_, oldMode_);
    if (halftone_) SetBrushOrgEx(hdc_, oldOrigin_.x, oldOrigin_.y, nullptr);
  }
  StretchModeScope(const StretchModeScope&) = delete;
  StretchModeScope& operator=(const StretchModeScope&) = delete;

 private:
  HDC hdc_;
  int oldMode_ = 0;
  bool halftone_ = false;
  POINT oldOrigin_{};
};

// A memory device context compatible with `hdc` with `bitmap` selected.
class MemoryDc {
 public:
  MemoryDc(HDC hdc, HBITMAP bitmap) : dc_(CreateCompatibleDC(hdc)) {
    if (dc_) old_ = SelectObject(dc_, bitmap);
  }
  ~MemoryDc() {
    if (old_) SelectObject(dc_, old_);
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  // False when the context could not be made or the bitmap not selected
  // (a device-dependent bitmap of another device's format).
  bool Ok() const { return dc_ != nullptr && old_ != nullptr; }
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ old_ = nullptr;
};

void ResolveSize(const PreparedImage& prepared, int* width, int* height) {
  if (*width == -1) *width = prepared.width;
  if (*height == -1) *height = prepared.height;
}

}  // namespace

bool BlitImage(HDC hdc, const PreparedImage& prepared, int x, int y, int width, int height,
               DWORD rop) {
  ResolveSize(prepared, &width, &height);
  StretchModeScope mode(hdc);
  if (prepared.icon)
    return DrawIconEx(hdc, x, y, prepared.icon, width, height, 0, nullptr, DI_NORMAL) != FALSE;
  if (prepared.bitmap == nullptr) return false;
  MemoryDc source(hdc, prepared.bitmap);
  if (!source.Ok()) return false;
  return StretchBlt(hdc, x, y, width, height, source.Dc(), 0, 0, prepared.width, prepared.height,
                    rop) != FALSE;
}

bool BlitImageTransparent(HDC hdc, const PreparedImage& prepared, int x, int y, int width,
                          int height, COLORREF key) {
  if (prepared.icon) return BlitImage(hdc, prepared, x, y, width, height, SRCCOPY);
  if (prepared.bitmap == nullptr) return false;
  ResolveSize(prepared, &width, &height);
  MemoryDc image(hdc, prepared.bitmap);
  if (!image.Ok()) return false;
  HBITMAP maskBitmap = CreateBitmap(prepared.width, prepared.height, 1, 1, nullptr);
  if (maskBitmap == nullptr) return false;
  bool drawn = false;
  {
    MemoryDc mask(hdc, maskBitmap);
    if (mask.Ok()) {
      // Colour to monochrome: pixels of the source's background colour
      // become 1, all others 0.
      const COLORREF oldKey = SetBkColor(image.Dc(), key);
      BitBlt(mask.Dc(), 0, 0, prepared.width, prepared.height, image.Dc(), 0, 0, SRCCOPY);
      SetBkColor(image.Dc(), oldKey);
      // Monochrome to colour: 1 becomes the target's background colour and
      // 0 its text colour; white and black make the mask all ones where the
      // key was and all zeros elsewhere. Key pixels: t ^ i & ~0 ^ i = t;
      // others: (t ^ i) & 0 ^ i = i.
      const COLORREF oldBack = SetBkColor(hdc, RGB(255, 255, 255));
      const COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
      StretchModeScope mode(hdc);
      const int w = prepared.width, h = prepared.height;
      drawn = StretchBlt(hdc, x, y, width, height, image.Dc(), 0, 0, w, h, SRCINVERT) &&
              StretchBlt(hdc, x, y, width, height, mask.Dc(), 0, 0, w, h, SRCAND) &&
              StretchBlt(hdc, x, y, width, height, image.Dc(), 0, 0, w, h, SRCINVERT);
      SetTextColor(hdc, oldText);
      SetBkColor(hdc, oldBack);
    }
  }
  DeleteObject(maskBitmap);
  return drawn;
}
