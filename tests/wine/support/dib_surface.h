// A surface that tests draw or render into and read back pixel by pixel: a
// memory device context with a 32-bit top-down DIB section selected into it.
// Its pixels are the DIB's own, 0x00RRGGBB (blue in the low byte), rows top
// down; At gives one as a COLORREF.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Pixels read back from a surface or from the screen.
struct SurfacePixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top down

  uint32_t Pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  // The pixel as a COLORREF; CLR_INVALID outside the pixels.
  COLORREF At(int x, int y) const;
  bool operator==(const SurfacePixels& other) const {
    return width == other.width && height == other.height && pixels == other.pixels;
  }
};

class DibSurface {
 public:
  // All black until filled or drawn on.
  DibSurface(int width, int height);
  ~DibSurface();
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  bool Ok() const { return dc_ && bitmap_ && bits_; }
  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  void Fill(COLORREF colour);
  // Each reading first lets GDI finish what was drawn.
  COLORREF At(int x, int y) const;
  SurfacePixels Read() const;

 private:
  int width_ = 0;
  int height_ = 0;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// The client area of `hwnd` as WM_PRINTCLIENT draws it onto `background`.
SurfacePixels PrintClient(HWND hwnd, COLORREF background);
// What the screen shows over `area` (screen coordinates), read with BitBlt.
SurfacePixels CaptureScreenArea(const RECT& area);
