#include "widgets/label/label_background.h"

namespace {

// A solid colour through the device context's own brush: the band and the
// fill need no brush of their own.
void FillSolid(HDC hdc, int left, int top, int width, int height, COLORREF colour) {
  SetDCBrushColor(hdc, colour);
  PatBlt(hdc, left, top, width, height, PATCOPY);
}

TRIVERTEX Vertex(LONG x, LONG y, uint32_t colour) {
  TRIVERTEX vertex{};
  vertex.x = x;
  vertex.y = y;
  vertex.Red = COLOR16(GetRValue(colour) << 8);
  vertex.Green = COLOR16(GetGValue(colour) << 8);
  vertex.Blue = COLOR16(GetBValue(colour) << 8);
  return vertex;
}

// Horizontal and vertical patterns: one rectangle per pair of neighbouring
// colours, the colours evenly spaced along the axis.
bool DrawAxisGradient(HDC hdc, const RECT& rect, const GradientPlan& plan) {
  const bool horizontal = plan.axis == GradientAxis::Horizontal;
  const LONG start = horizontal ? rect.left : rect.top;
  const LONG length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  const int segments = plan.stops.count - 1;
  TRIVERTEX vertices[2 * 4];
  GRADIENT_RECT meshes[4];
  for (int i = 0; i < segments; ++i) {
    const LONG from = start + LONG(int64_t(length) * i / segments);
    const LONG to = start + LONG(int64_t(length) * (i + 1) / segments);
    vertices[2 * i] = horizontal ? Vertex(from, rect.top, plan.stops.colours[i])
                                 : Vertex(rect.left, from, plan.stops.colours[i]);
    vertices[2 * i + 1] = horizontal ? Vertex(to, rect.bottom, plan.stops.colours[i + 1])
                                     : Vertex(rect.right, to, plan.stops.colours[i + 1]);
    meshes[i] = GRADIENT_RECT{ULONG(2 * i), ULONG(2 * i + 1)};
  }
  return GdiGradientFill(hdc, vertices, ULONG(2 * segments), meshes, ULONG(segments),
                         horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V) != FALSE;
}

// Diagonal patterns: the colour runs with x / width + y / height, so the two
// corners off the axis take the middle colour (the middle stop of three) and
// two triangles split along them shade the rest exactly.
bool DrawDiagonalGradient(HDC hdc, const RECT& rect, const GradientPlan& plan) {
  const uint32_t first = ShadeAt(plan.stops, 0, 3);
  const uint32_t middle = ShadeAt(plan.stops, 1, 3);
  const uint32_t last = ShadeAt(plan.stops, 2, 3);
  const bool down = plan.axis == GradientAxis::Diagonal;
  TRIVERTEX vertices[4] = {
      Vertex(rect.left, rect.top, down ? first : middle),
      Vertex(rect.right, rect.top, down ? middle : last),
      Vertex(rect.left, rect.bottom, down ? middle : first),
      Vertex(rect.right, rect.bottom, down ? last : middle),
  };
  // Down: split along top-right to bottom-left; up: along top-left to
  // bottom-right.
  GRADIENT_TRIANGLE meshes[2] = {{0, 1, 2}, {1, 3, 2}};
  if (!down) {
    meshes[0] = GRADIENT_TRIANGLE{0, 2, 3};
    meshes[1] = GRADIENT_TRIANGLE{0, 1, 3};
  }
  return GdiGradientFill(hdc, vertices, 4, meshes, 2, GRADIENT_FILL_TRIANGLE) != FALSE;
}

}  // namespace

RECT DrawLabelBand(HDC hdc, const RECT& client, int32_t width, const ShadeStops& stops) {
  HGDIOBJ oldBrush = SelectObject(hdc, GetStockObject(DC_BRUSH));
  const COLORREF oldColour = GetDCBrushColor(hdc);
  RECT ring = client;
  for (int32_t i = 0; i < width && ring.right > ring.left && ring.bottom > ring.top; ++i) {
    const COLORREF colour = ShadeAt(stops, i, width);
    const int ringWidth = ring.right - ring.left, ringHeight = ring.bottom - ring.top;
    FillSolid(hdc, ring.left, ring.top, ringWidth, 1, colour);
    FillSolid(hdc, ring.left, ring.bottom - 1, ringWidth, 1, colour);
    FillSolid(hdc, ring.left, ring.top, 1, ringHeight, colour);
    FillSolid(hdc, ring.right - 1, ring.top, 1, ringHeight, colour);
    InflateRect(&ring, -1, -1);
  }
  SetDCBrushColor(hdc, oldColour);
  SelectObject(hdc, oldBrush);
  if (ring.right <= ring.left || ring.bottom <= ring.top) SetRectEmpty(&ring);
  return ring;
}

bool DrawLabelGradient(HDC hdc, const RECT& rect, const GradientPlan& plan) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return true;
  if (plan.axis == GradientAxis::Horizontal || plan.axis == GradientAxis::Vertical)
    return DrawAxisGradient(hdc, rect, plan);
  return DrawDiagonalGradient(hdc, rect, plan);
}
