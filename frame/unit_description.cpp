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

const PropertyField* FieldAt(const UnitDescription& description, int unitIndex) {
  if (unitIndex < 0 || unitIndex >= description.fieldCount) return nullptr;
  return &description.fields[unitIndex];
}

const PropertyField* FieldNamed(const UnitDescription& description, const char* name) {
  for (int i = 0; i < description.fieldCount; ++i)
    if (strcmp(description.fields[i].name, name) == 0) return &description.fields[i];
  return nullptr;
}

bool RewritePropertyBlock(const UnitDescription& description, ByteBlock block, Bytes* out) {
  PropertyRecord record(description);
  return description.read(block, record.Get()) && description.write(record.Get(), out);
}
