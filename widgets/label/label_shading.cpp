#include "widgets/label/label_shading.h"

#include <initializer_list>

namespace {

constexpr uint32_t kTransparent = 0xFF000000;

uint32_t Channel(uint32_t colour, int shift) { return (colour >> shift) & 0xFF; }

// The point `numerator` / `denominator` of the way from a to b, rounded to
// the nearest (halves up, whichever way the channel runs).
uint32_t Mix(uint32_t a, uint32_t b, int64_t numerator, int64_t denominator) {
  const int64_t sum = int64_t(a) * (denominator - numerator) + int64_t(b) * numerator;
  return uint32_t((2 * sum + denominator) / (2 * denominator));
}

void Reverse(ShadeStops* stops) {
  for (int i = 0, j = stops->count - 1; i < j; ++i, --j) {
    const uint32_t colour = stops->colours[i];
    stops->colours[i] = stops->colours[j];
    stops->colours[j] = colour;
  }
}

// a, b, c becomes a, b, c, b, a.
void Mirror(ShadeStops* stops) {
  const int count = stops->count;
  for (int i = count - 2; i >= 0; --i) stops->colours[stops->count++] = stops->colours[i];
}

}  // namespace

ShadeStops StopsOf(uint32_t colour1, uint32_t colour2, uint32_t colour3) {
  ShadeStops stops;
  for (uint32_t colour : {colour1, colour2, colour3})
    if (colour != kTransparent) stops.colours[stops.count++] = colour & 0x00FFFFFF;
  return stops;
}

uint32_t ShadeAt(const ShadeStops& stops, int64_t index, int64_t steps) {
  if (stops.count == 0) return 0;
  if (stops.count == 1 || steps <= 1 || index <= 0) return stops.colours[0];
  if (index >= steps - 1) return stops.colours[stops.count - 1];
  // Step `index` lies at index * (count - 1) / (steps - 1) stops from the
  // first: in segment `segment`, `numerator` / (steps - 1) of the way along.
  const int64_t along = index * (stops.count - 1);
  const int64_t segment = along / (steps - 1);
  const int64_t numerator = along - segment * (steps - 1);
  const uint32_t from = stops.colours[segment], to = stops.colours[segment + 1];
  uint32_t colour = 0;
  for (int shift : {0, 8, 16})
    colour |= Mix(Channel(from, shift), Channel(to, shift), numerator, steps - 1) << shift;
  return colour;
}

bool PlanGradient(int32_t pattern, const ShadeStops& stops, GradientPlan* plan) {
  if (pattern < 1 || pattern > 8 || stops.count < 2 || stops.count > 3) return false;
  static const GradientAxis kAxes[] = {
      GradientAxis::Horizontal, GradientAxis::Vertical,     GradientAxis::Horizontal,
      GradientAxis::Vertical,   GradientAxis::Horizontal,   GradientAxis::Vertical,
      GradientAxis::Diagonal,   GradientAxis::AntiDiagonal,
  };
  plan->axis = kAxes[pattern - 1];
  plan->stops = stops;
  if (pattern == 3 || pattern == 4) Reverse(&plan->stops);
  if (pattern == 5 || pattern == 6) Mirror(&plan->stops);
  return true;
}
