#include "frame/property_codec.h"

#include <utility>

namespace {

bool Stores(const PropertyField& field, int32_t version) {
  return field.InRecord() && (field.since <= 1 || version >= field.since);
}

// Reads one field; with a record, puts its value into the field's member.
bool ReadField(ByteCursor& cursor, const PropertyField& field, void* record) {
  int32_t stored = 0;
  uint16_t character = 0;
  ByteBlock view;
  switch (field.storage) {
    case FieldStorage::Int32:
    case FieldStorage::Bool:
      if (!cursor.ReadInt32(&stored)) return false;
      break;
    case FieldStorage::Char16:
      if (!cursor.ReadUint16(&character)) return false;
      break;
    case FieldStorage::Text:
    case FieldStorage::Bytes:
      if (!cursor.ReadCountedView(&view)) return false;
      break;
  }
  if (!record) return true;
  void* member = field.at(record);
  switch (field.storage) {
    case FieldStorage::Int32:
      *static_cast<int32_t*>(member) = stored;
      break;
    case FieldStorage::Bool:
      *static_cast<bool*>(member) = stored != 0;
      break;
    case FieldStorage::Char16:
      *static_cast<uint16_t*>(member) = character;
      break;
    case FieldStorage::Text:
      static_cast<Text*>(member)->assign(reinterpret_cast<const char*>(view.data), view.size);
      break;
    case FieldStorage::Bytes:
      static_cast<Bytes*>(member)->assign(view.data, view.data + view.size);
      break;
  }
  return true;
}

// The fields of a block of `version` after its version; with a record, each
// value goes into it.
bool ReadFields(const UnitDescription& unitClass, ByteCursor cursor, int32_t version,
                void* record) {
  for (int i = 0; i < unitClass.fieldCount; ++i) {
    const PropertyField& field = unitClass.fields[i];
    if (Stores(field, version) && !ReadField(cursor, field, record)) return false;
  }
  return true;
}

bool AppendField(const PropertyField& field, const void* record, Bytes* out) {
  // Reading only: the record stays as the caller gave it.
  const void* member = field.at(const_cast<void*>(record));
  switch (field.storage) {
    case FieldStorage::Int32:
      AppendInt32(*static_cast<const int32_t*>(member), out);
      return true;
    case FieldStorage::Bool:
      AppendInt32(*static_cast<const bool*>(member) ? 1 : 0, out);
      return true;
    case FieldStorage::Char16:
      AppendUint16(*static_cast<const uint16_t*>(member), out);
      return true;
    case FieldStorage::Text:
      return AppendCountedText(*static_cast<const Text*>(member), out);
    case FieldStorage::Bytes:
      return AppendCounted(*static_cast<const Bytes*>(member), out);
  }
  return false;
}

}  // namespace

bool ReadPropertyBlock(const UnitDescription& unitClass, ByteBlock block, void* record) {
  if (block.size == 0) return true;
  ByteCursor cursor(block);
  int32_t version = 0;
  if (!cursor.ReadInt32(&version) || version > unitClass.blockVersion) return false;
  // Walked once without the record, so that a block that ends inside a
  // field leaves the record as it was.
  return ReadFields(unitClass, cursor, version, nullptr) &&
         ReadFields(unitClass, cursor, version, record);
}

bool WriteOlderPropertyBlock(const UnitDescription& unitClass, const void* record, int32_t version,
                             Bytes* out) {
  Bytes block;
  AppendInt32(version, &block);
  for (int i = 0; i < unitClass.fieldCount; ++i) {
    const PropertyField& field = unitClass.fields[i];
    if (Stores(field, version) && !AppendField(field, record, &block)) return false;
  }
  *out = std::move(block);
  return true;
}

bool WritePropertyBlock(const UnitDescription& unitClass, const void* record, Bytes* out) {
  return WriteOlderPropertyBlock(unitClass, record, unitClass.blockVersion, out);
}

bool RewritePropertyBlock(const UnitDescription& unitClass, ByteBlock block, Bytes* out) {
  PropertyRecord record(unitClass);
  return ReadPropertyBlock(unitClass, block, record.Get()) &&
         WritePropertyBlock(unitClass, record.Get(), out);
}
