// What the property records of the unit classes share: the codec of their
// blocks (frame/property_codec.h), the colour and font conventions, and
// the clamping of choices. Pure code: builds for Windows and for the host.
#pragma once

#include <cstdint>

#include "frame/property_codec.h"
#include "services/clamp.h"

// In a colour-or-default property: the class default colour (COLOR_BTNFACE).
constexpr uint32_t kDefaultColour = 0xFF000000;
// In a colour-or-transparent property: no colour at all.
constexpr uint32_t kTransparentColour = 0xFF000000;
// A font property holds a LOGFONTA record of exactly this size; any other
// length stands for the stock default GUI font.
constexpr size_t kLogFontSize = 60;

inline int32_t ClampChoice(int32_t value, int32_t lowest, int32_t highest) {
  return Clamp(value, lowest, highest);
}
