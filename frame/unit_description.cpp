#include "frame/unit_description.h"

#include <cstring>

ValueType DeclaredType(PropertyForm form) {
  switch (form) {
    case PropertyForm::Integer:
    case PropertyForm::Colour:
      return ValueType::Integer;
    case PropertyForm::Logical:
      return ValueType::Logical;
    case PropertyForm::Text:
    case PropertyForm::Char16:
      return ValueType::Text;
    case PropertyForm::Picture:
    case PropertyForm::Font:
      return ValueType::Block;
  }
  return ValueType::Absent;
}

Value PropertyField::Get(const void* record) const {
  // Reading only: the record stays as the caller gave it.
  const void* member = at(const_cast<void*>(record));
  switch (storage) {
    case FieldStorage::Int32:
      return Value::Integer(*static_cast<const int32_t*>(member));
    case FieldStorage::Bool:
      return Value::Logical(*static_cast<const bool*>(member));
    case FieldStorage::Char16: {
      // One character of code page 936: its first byte low.
      const uint16_t character = *static_cast<const uint16_t*>(member);
      Text text(1, char(character & 0xFF));
      if (character > 0xFF) text += char(character >> 8);
      return Value::OfText(text);
    }
    case FieldStorage::Text:
      return Value::OfText(*static_cast<const Text*>(member));
    case FieldStorage::Bytes:
      return Value::OfBlock(ViewOf(*static_cast<const Bytes*>(member)));
  }
  return Value();
}

void PropertyField::Set(void* record, const Value& value) const {
  void* member = at(record);
  switch (storage) {
    case FieldStorage::Int32:
      *static_cast<int32_t*>(member) = value.integer;
      return;
    case FieldStorage::Bool:
      *static_cast<bool*>(member) =
          value.type == ValueType::Logical ? value.logical : value.integer != 0;
      return;
    case FieldStorage::Char16: {
      const Text& text = value.text;
      *static_cast<uint16_t*>(member) =
          text.empty() ? 0
                       : uint16_t(uint8_t(text[0]) | (text.size() > 1 ? uint8_t(text[1]) << 8 : 0));
      return;
    }
    case FieldStorage::Text:
      *static_cast<Text*>(member) = value.text;
      return;
    case FieldStorage::Bytes:
      static_cast<Bytes*>(member)->assign(value.block.data, value.block.data + value.block.size);
      return;
  }
}

void ClampProperties(const UnitDescription& description, void* record) {
  for (int i = 0; i < description.fieldCount; ++i) {
    const PropertyField& field = description.fields[i];
    if (!field.InRecord() || field.storage != FieldStorage::Int32 ||
        (field.lowest == INT32_MIN && field.highest == INT32_MAX))
      continue;
    int32_t* value = static_cast<int32_t*>(field.at(record));
    if (*value < field.lowest) *value = field.lowest;
    if (*value > field.highest) *value = field.highest;
  }
  if (description.clamp) description.clamp(record);
}

const PropertyField* FieldAt(const UnitDescription& description, int unitIndex) {
  for (int i = 0; i < description.fieldCount; ++i)
    if (description.fields[i].unitIndex == unitIndex) return &description.fields[i];
  return nullptr;
}

const PropertyField* FieldNamed(const UnitDescription& description, const char* name) {
  for (int i = 0; i < description.fieldCount; ++i)
    if (strcmp(description.fields[i].name, name) == 0) return &description.fields[i];
  return nullptr;
}
