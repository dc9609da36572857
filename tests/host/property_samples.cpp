#include "tests/host/property_samples.h"

#include <cstring>

#include "tests/host/gbk.h"

namespace {

// Long enough to be a font record, so that a font property holds one.
const uint8_t kBlock[60] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

}  // namespace

Value OtherValue(const PropertyField& field, const void* defaults) {
  const Value given = field.Get(defaults);
  switch (field.form) {
    case PropertyForm::Integer:
      return Value::Integer(given.integer == 1 ? 2 : 1);
    case PropertyForm::Colour:
      return Value::Integer(0x00123456);
    case PropertyForm::Logical:
      return Value::Logical(!given.logical);
    case PropertyForm::Text:
      return Value::OfText(Gbk("安装"));
    case PropertyForm::Char16:
      return Value::OfText("#");
    case PropertyForm::Picture:
    case PropertyForm::Font:
      return Value::OfBlock(ByteBlock{kBlock, sizeof kBlock});
  }
  return Value();
}

void SetOtherValues(const UnitDescription& unitClass, void* record) {
  PropertyRecord defaults(unitClass);
  for (int i = 0; i < unitClass.fieldCount; ++i) {
    const PropertyField& field = unitClass.fields[i];
    if (field.InRecord()) field.Set(record, OtherValue(field, defaults.Get()));
  }
}

bool SameValue(const Value& a, const Value& b) {
  if (a.type != b.type) return false;
  switch (a.type) {
    case ValueType::Integer:
      return a.integer == b.integer;
    case ValueType::Logical:
      return a.logical == b.logical;
    case ValueType::Text:
      return a.text == b.text;
    case ValueType::Block:
      return a.block.size == b.block.size &&
             (a.block.size == 0 || memcmp(a.block.data, b.block.data, a.block.size) == 0);
    default:
      return false;
  }
}
