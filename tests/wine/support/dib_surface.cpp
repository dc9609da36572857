#include "support/dib_surface.h"

namespace {

COLORREF ColourOf(uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

uint32_t PixelOf(COLORREF colour) {
  return uint32_t(GetRValue(colour)) << 16 | uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
}

}  // namespace

COLORREF SurfacePixels::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height || pixels.empty()) return CLR_INVALID;
  return ColourOf(Pixel(x, y));
}

DibSurface::DibSurface(int width, int height) : width_(width), height_(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  dc_ = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  if (dc_) bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap_) return;
  bits_ = static_cast<uint32_t*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
}

DibSurface::~DibSurface() {
  if (previous_) SelectObject(dc_, previous_);
  if (bitmap_) DeleteObject(bitmap_);
  if (dc_) DeleteDC(dc_);
}

void DibSurface::Fill(COLORREF colour) {
  if (!Ok()) return;
  GdiFlush();
  const uint32_t pixel = PixelOf(colour);
  for (size_t i = 0; i < size_t(width_) * size_t(height_); ++i) bits_[i] = pixel;
}

COLORREF DibSurface::At(int x, int y) const {
  if (!Ok() || x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  GdiFlush();
  return ColourOf(bits_[size_t(y) * size_t(width_) + size_t(x)]);
}

SurfacePixels DibSurface::Read() const {
  SurfacePixels read;
  if (width_ <= 0 || height_ <= 0) return read;
  read.width = width_;
  read.height = height_;
  // A surface that could not be made reads as black, so that every pixel
  // can be looked at.
  read.pixels.assign(size_t(width_) * size_t(height_), 0);
  if (!Ok()) return read;
  GdiFlush();
  read.pixels.assign(bits_, bits_ + size_t(width_) * size_t(height_));
  // The fourth byte is no colour: what GDI leaves there differs by call.
  for (uint32_t& pixel : read.pixels) pixel &= 0x00FFFFFF;
  return read;
}

SurfacePixels PrintClient(HWND hwnd, COLORREF background) {
  RECT client{};
  GetClientRect(hwnd, &client);
  DibSurface surface(client.right, client.bottom);
  surface.Fill(background);
  SendMessageW(hwnd, WM_PRINTCLIENT, WPARAM(surface.Dc()), PRF_CLIENT);
  return surface.Read();
}

SurfacePixels CaptureScreenArea(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  DibSurface surface(width, height);
  HDC screen = GetDC(nullptr);
  if (surface.Ok()) BitBlt(surface.Dc(), 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  return surface.Read();
}
