// The stored property block of every unit class, read and written over the
// class's property table (frame/unit_description.h): the table's rows are
// the block's fields, in order. Pure code: builds for Windows and for the
// host.
//
// Property block
//   width          field
//   int32          version: the class's blockVersion when written; a higher
//                  version is refused
//   then, for each row of the table that the version stores:
//   int32          Integer, Colour
//   int32          Logical: 0 false, anything else true; written as 1
//   uint16         Char16: the character, its first byte low
//   counted text   Text: int32 n, then n bytes of code page 936
//   counted block  Picture, Font: int32 n, then n bytes
// A count n <= 0 is an empty text or block with no bytes after it. A row of
// version 1 is in a block of any version; a row of a later version is in
// the blocks of that version and after, and keeps its default in an older
// one. Rows that exist only at run time are in no block. An empty block
// (0 bytes) stands for all class defaults; bytes after the last field are
// ignored.
#pragma once

#include <cstdint>

#include "frame/template/byte_cursor.h"
#include "frame/unit_description.h"

// Reads `block` into `record`, which holds what a field keeps when the block
// does not store it (the class defaults). False, with the record untouched,
// for a version above the class's or a block that ends inside a field.
bool ReadPropertyBlock(const UnitDescription& unitClass, ByteBlock block, void* record);
// Every stored property of the record as a block of the current version.
bool WritePropertyBlock(const UnitDescription& unitClass, const void* record, Bytes* out);
// The same as a block of an older `version`, as the writers of that version
// wrote it: for tests and fuzz seeds.
bool WriteOlderPropertyBlock(const UnitDescription& unitClass, const void* record, int32_t version,
                             Bytes* out);

// Reads `block` into a record of the class defaults and writes it back as a
// block of the current version. False when the block is refused.
bool RewritePropertyBlock(const UnitDescription& unitClass, ByteBlock block, Bytes* out);

// The codec of a class's own record type, typed: `DescriptionOf(record)`,
// declared beside the record, names its class.
//
// Resets `out` to the class defaults, then reads `block` into it (`out` holds
// the defaults when the block is refused).
template <typename Record>
bool ReadProperties(ByteBlock block, Record* out) {
  *out = Record{};
  return ReadPropertyBlock(DescriptionOf(*out), block, out);
}
template <typename Record>
bool WriteProperties(const Record& properties, Bytes* out) {
  return WritePropertyBlock(DescriptionOf(properties), &properties, out);
}
