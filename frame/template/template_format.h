// The byte layout of the window template: the stored description of every
// window, its units, their geometry, flags, bindings and property blocks,
// carried in the program's constant data and read once at start-up.
//
// All integers are 32-bit little-endian, signed unless stated.
//   counted block    int32 n, then n bytes; n <= 0 is empty and no bytes follow
//   counted text     a counted block of code-page-936 text, no terminator
//   terminated text  code-page-936 text followed by one 0 byte
//
// Template
//   order  form                         meaning
//   1      counted block of 8 x N bytes  window index: N window identifiers,
//                                        then N slot values. N = n / 8. The
//                                        slots are left-overs of the tool that
//                                        wrote the template and are not used.
//   2      N window records             in index order
//
// Window record
//   order  width          meaning
//   1      int32          window kind (1 start window, 8 agreement window);
//                         kept, not used by the loader
//   2      int32          code reference; kept, not used by the loader
//   3      counted text   name; not used by the loader
//   4      counted text   remark; not used
//   5      int32          unit count C, the window's own record included; C >= 1
//   6      counted block  unit table, below
//
// Unit table (the counted block of the window record)
//   offset          width         meaning
//   0               C x int32     unit identifiers; entry 0 is the window's own
//   4C              C x int32     record offsets, counted from byte 8C
//   8C + offset     int32 L       length of record i, L >= 0
//   8C + offset + 4 L bytes       record body
// Records are found through their offsets only: they may lie in any order,
// and bytes between them are not looked at. They do not overlap: all C
// records together (lengths included) take at most the table's remaining
// bytes. Record 0 is the window's own
// unit; records 1 to C-1 are its units in template order (top of the z-order
// first among siblings).
//
// Identifiers
//   window             bits 24-27 = 2                 (0x52xxxxxx here)
//   window's own unit  bits 28-31 = 0, 24-27 = 6      (0x06xxxxxx)
//   child unit         bits 28-31 = 1, 24-27 = 6      (0x16xxxxxx)
//   menu item          bits 28-31 = 2, 24-27 = 6      (0x26xxxxxx)
//
// Unit record body (offsets from the first byte after the length L)
//   order  offset  width              meaning
//   1      0       int32              type reference: high 16 bits library
//                                     number, low 16 bits class number (both
//                                     1-based); each unit class's description
//                                     gives its own (frame/unit_description.h)
//   2      4       int32              event link: 0, or the identifier of a
//                                     unit of the same window whose bindings
//                                     this unit shares
//   3      8       4 x int32          reserved, 0
//   4      24      terminated text    name ("图形按钮1")
//   5              terminated text    remark
//   6              int32              object slot, 0 when stored
//   7              4 x int32          left, top, width, height in pixels,
//                                     relative to the parent's client area
//                                     (a window: its outer rectangle on screen)
//   8              int32              pointer slot, 0 when stored
//   9              int32              parent: container unit identifier, or 0
//   10             int32 K            child count, K >= 0
//   11             K x int32          child identifiers, in order
//   12             counted block      mouse pointer: empty or the code 0 = none;
//                                     4 bytes = a pointer code (32649 hand);
//                                     longer = a cursor file, optionally
//                                     preceded by the int32 -1
//   13             terminated text    tag
//   14             int32              reserved, 0
//   15             int32              flags: bit 0 visible, bit 1 disabled,
//                                     bit 2 tab stop
//   16             int32              reserved, 0
//   17             int32 E            binding count, E >= 0
//   18             E x 2 x int32      (event number, handler reference);
//                                     reference -1 = no handler
//   19             20 bytes           reserved, 0
//   20             rest of L          property block of the unit's class;
//                                     it starts with an int32 version, and an
//                                     empty block means all class defaults
//
// The eight common properties of every unit live in this record: 0 left,
// 1 top, 2 width, 3 height (field 7), 4 tag (13), 5 visible and 6 disabled
// (15), 7 mouse pointer (12).
//
// Menu-item records (identifier 0x26xxxxxx, type reference 0x00010003) have
// a layout of their own. This program builds no menus: such a record is kept
// as its stored body, not walked, and its handler is never looked up.
#pragma once

#include <cstdint>

constexpr uint32_t kIdentifierKindMask = 0x0F000000;
constexpr uint32_t kIdentifierLevelMask = 0xF0000000;
constexpr uint32_t kIdentifierSerialMask = 0x00FFFFFF;
constexpr uint32_t kWindowIdentifierKind = 0x02000000;
constexpr uint32_t kUnitIdentifierKind = 0x06000000;
constexpr uint32_t kOwnUnitLevel = 0x00000000;
constexpr uint32_t kChildUnitLevel = 0x10000000;
constexpr uint32_t kMenuItemLevel = 0x20000000;

inline bool IsWindowIdentifier(int32_t id) {
  uint32_t u = static_cast<uint32_t>(id);
  return (u & kIdentifierKindMask) == kWindowIdentifierKind && (u & kIdentifierSerialMask) != 0;
}
inline bool IsMenuItemIdentifier(int32_t id) {
  uint32_t u = static_cast<uint32_t>(id);
  return (u & kIdentifierKindMask) == kUnitIdentifierKind &&
         (u & kIdentifierLevelMask) == kMenuItemLevel;
}

// Fixed offsets inside a unit record body.
constexpr uint32_t kRecordTypeReferenceAt = 0;
constexpr uint32_t kRecordEventLinkAt = 4;
constexpr uint32_t kRecordNameAt = 24;
constexpr uint32_t kRecordReservedTail = 20;

// Bits of the flags field.
constexpr uint32_t kUnitVisible = 1u << 0;
constexpr uint32_t kUnitDisabled = 1u << 1;
constexpr uint32_t kUnitTabStop = 1u << 2;

// The handler reference that binds an event to no handler.
constexpr int32_t kNoHandlerReference = -1;

// Mouse pointer codes that the template stores.
constexpr int32_t kNoMousePointer = 0;
constexpr int32_t kHandPointerCode = 32649;
