// The shading of a label's style-6 border band and of its gradient
// backgrounds: which colours they run through, and the colour at each step.
// Pure code: builds for Windows and for the host.
//
// The band is nested one-pixel rings, the outermost in the first colour and
// the innermost in the last, the others shaded evenly between. The gradient
// patterns run through their colours:
//   1  left to right          5  out from the middle column: the edges in
//   2  top to bottom             the first colour, the middle in the last
//   3  right to left          6  out from the middle row, likewise
//   4  bottom to top          7  top-left corner to bottom-right corner
//                             8  bottom-left corner to top-right corner
#pragma once

#include <cstdint>

// The colours of a band or gradient: those of its three colour properties
// that are not transparent (0xFF000000), in order.
struct ShadeStops {
  uint32_t colours[5] = {};  // COLORREFs; room for a mirrored three
  int count = 0;
};
ShadeStops StopsOf(uint32_t colour1, uint32_t colour2, uint32_t colour3);

// The colour of step `index` of `steps` steps that run evenly from the first
// stop (step 0) to the last (step steps - 1), each channel rounded to the
// nearest. One step, or one stop, gives the first stop; no stop gives 0.
uint32_t ShadeAt(const ShadeStops& stops, int64_t index, int64_t steps);

enum class GradientAxis : uint8_t {
  Horizontal,    // colour changes from left to right
  Vertical,      // from top to bottom
  Diagonal,      // from the top-left corner to the bottom-right one
  AntiDiagonal,  // from the bottom-left corner to the top-right one
};

struct GradientPlan {
  GradientAxis axis = GradientAxis::Horizontal;
  // The colours in the order the axis runs through them, evenly spaced.
  ShadeStops stops;
};

// The plan of gradient pattern `pattern` through `stops`. False for a
// pattern outside 1..8 and for fewer than two stops: no gradient then.
bool PlanGradient(int32_t pattern, const ShadeStops& stops, GradientPlan* plan);
