// What the property-block codecs of the unit classes share: starting a
// block (empty block, version limit), the stored forms of logical and colour
// properties, clamping of choices, and the colour and font conventions.
// Pure code: builds for Windows and for the host.
//
// Every class's block starts with an int32 version; the class's fields
// follow in the class's order: fonts, pictures, icons and sounds as counted
// blocks, texts as counted texts, everything else as int32. An empty block
// (0 bytes) stands for all class defaults. A codec resets every property to
// its default before it reads, refuses a version above its class's maximum
// and a block that ends inside a field, and writes every property back as a
// block of the current version. Bytes after the last field are ignored.
#pragma once

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "services/clamp.h"

// In a colour-or-default property: the class default colour (COLOR_BTNFACE).
constexpr uint32_t kDefaultColour = 0xFF000000;
// In a colour-or-transparent property: no colour at all.
constexpr uint32_t kTransparentColour = 0xFF000000;
// A font property holds a LOGFONTA record of exactly this size; any other
// length stands for the stock default GUI font.
constexpr size_t kLogFontSize = 60;

enum class BlockStart : uint8_t {
  Defaults,  // empty block: nothing to read, every property keeps its default
  Fields,    // read the fields of `version` from the cursor
  Refused,   // version above the maximum, or no room for the version
};

// Opens `block` for reading; with Fields, `*cursor` stands after the version.
BlockStart StartPropertyBlock(ByteBlock block, int32_t maxVersion, ByteCursor* cursor,
                              int32_t* version);

// A stored logical: any value but 0 is true; written as 1 or 0.
void ReadLogical(ByteCursor& cursor, bool* value);
inline void AppendLogical(bool value, Bytes* out) { AppendInt32(value ? 1 : 0, out); }
inline void ReadColour(ByteCursor& cursor, uint32_t* value) { cursor.ReadUint32(value); }
inline void AppendColour(uint32_t value, Bytes* out) { AppendUint32(value, out); }

// A choice out of its range counts as the nearest choice.
inline int32_t ClampChoice(int32_t value, int32_t lowest, int32_t highest) {
  return Clamp(value, lowest, highest);
}
