// What the widget tests share: plain surfaces of one colour to put units on,
// creating a unit from its property record and writing its properties as
// the frame does, and the pixels a unit paints, rendered or on the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "frame/unit_class.h"
#include "support/dib_surface.h"

// A shown top-level popup (WS_CLIPCHILDREN, like a window unit) of one
// colour, at a fixed place on the screen and above other windows.
HWND MakeSurfaceWindow(COLORREF colour, int width, int height);
// A child window of one colour that does not clip its children, like a
// picture box.
HWND MakeSurfacePanel(HWND parent, COLORREF colour, const RECT& rect);

// The unit of `unit` made from `block` on `parent`, shown when `visible`.
HWND CreateUnitFromBlock(const UnitOperations& unit, const Bytes& block, HWND parent,
                         const RECT& rect, bool visible = true);

// As the frame writes a property: the value (of the declared type) into the
// record, the record clamped, then the class told. Answers whether the class
// asks to be re-created.
bool WriteProperty(const UnitOperations& unit, HWND hwnd, int unitIndex, const Value& value);

// Pixels as COLORREFs (0x00BBGGRR), rows top-down.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> colours;
  uint32_t At(int x, int y) const { return colours[size_t(y) * size_t(width) + size_t(x)]; }
  bool operator==(const Pixels& other) const {
    return width == other.width && height == other.height && colours == other.colours;
  }
  // How many pixels of the rectangle [left, right) x [top, bottom) differ
  // from `colour`.
  int CountOtherThan(uint32_t colour, int left, int top, int right, int bottom) const;
  int CountOtherThan(uint32_t colour) const { return CountOtherThan(colour, 0, 0, width, height); }
};

// The client area of `hwnd` painted by WM_PRINTCLIENT onto `background`.
Pixels RenderClient(HWND hwnd, COLORREF background);
// Runs `draw` on a `width` x `height` bitmap filled with `background`.
template <typename Draw>
Pixels RenderWith(int width, int height, COLORREF background, Draw draw);
// What the screen shows of the client area of `hwnd`.
Pixels ReadScreen(HWND hwnd);

// A font record (a 60-byte LOGFONTA) without antialiasing, so that glyphs
// have only the text colour.
Bytes SharpFont(int height, int weight = FW_NORMAL);

// --- template implementation ---

// Pixels read back from a surface, as COLORREFs.
Pixels PixelsOf(const SurfacePixels& read);

template <typename Draw>
Pixels RenderWith(int width, int height, COLORREF background, Draw draw) {
  DibSurface surface(width, height);
  surface.Fill(background);
  draw(surface.Dc());
  return PixelsOf(surface.Read());
}
