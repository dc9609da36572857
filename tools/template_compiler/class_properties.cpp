// The properties of a class from the source, and back for the dump, through
// the class's own property table: the field of each name, its form, and the
// member of the class's property record that holds it.
#include "tools/template_compiler/class_properties.h"

#include <cstdio>

#include "frame/property_codec.h"
#include "tools/template_compiler/template_dump.h"

namespace {

// The value of a field from the source, in the field's declared type; the
// bytes of pictures and fonts are held in `bytes` for the value's view.
bool SourceValue(const PropertyField& field, const Json& json, const SourcePlace& at, Bytes* bytes,
                 Value* value) {
  switch (field.form) {
    case PropertyForm::Integer:
    case PropertyForm::Colour: {
      int32_t number = 0;
      if (!ReadInt32(json, at, &number)) return false;
      *value = Value::Integer(number);
      return true;
    }
    case PropertyForm::Logical: {
      int32_t logical = 0;
      if (!ReadLogical(json, at, &logical)) return false;
      *value = Value::Logical(logical != 0);
      return true;
    }
    case PropertyForm::Text: {
      Text text;
      if (!ReadText(json, at, &text)) return false;
      *value = Value::OfText(text);
      return true;
    }
    case PropertyForm::Char16: {
      Text character;
      if (!ReadText(json, at, &character)) return false;
      if (character.empty() || character.size() > 2) return at.Fail("one character is expected");
      *value = Value::OfText(character);
      return true;
    }
    case PropertyForm::Picture:
    case PropertyForm::Font:
      if (!(field.form == PropertyForm::Font ? ReadFont(json, at, bytes)
                                             : ReadFileBlock(json, at, bytes)))
        return false;
      *value = Value::OfBlock(ViewOf(*bytes));
      return true;
  }
  return at.Fail("unknown property form");
}

std::string ValueText(const PropertyField& field, const Value& value, const std::string& indent) {
  switch (field.form) {
    case PropertyForm::Integer:
      return std::to_string(value.integer);
    case PropertyForm::Colour:
      return HexInt32(value.integer);
    case PropertyForm::Logical:
      return value.logical ? "true" : "false";
    case PropertyForm::Text:
      return DescribeText(value.text, indent);
    case PropertyForm::Picture:
      return DescribeBlock(value.block.data, value.block.size);
    case PropertyForm::Font:
      return DescribeFont(value.block.data, value.block.size);
    case PropertyForm::Char16: {
      const Text& c = value.text;
      const unsigned code = uint8_t(c[0]) | (c.size() > 1 ? unsigned(uint8_t(c[1])) << 8 : 0u);
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%04X", code);
      return DescribeText(c, indent) + " (" + hex + ")";
    }
  }
  return "?";
}

}  // namespace

bool EncodeClassProperties(const UnitDescription& unitClass, const Json& properties,
                           const SourcePlace& at, Bytes* block) {
  block->clear();
  if (!properties.is_object()) return at.Fail("an object of property name -> value is expected");
  PropertyRecord record(unitClass);
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    const PropertyField* field = FieldNamed(unitClass, it.key().c_str());
    if (field == nullptr) return at.Fail("no property \"" + it.key() + "\" in this class");
    if (!field->InRecord()) return at.Child(it.key()).Fail("this property exists only at run time");
    Bytes bytes;
    Value value;
    if (!SourceValue(*field, it.value(), at.Child(it.key()), &bytes, &value)) return false;
    field->Set(record.Get(), value);
  }
  // A choice outside its range would be clamped when the unit is created; in
  // a reviewed source it is a mistake, so it is refused here.
  PropertyRecord clamped(unitClass);
  Bytes written;
  if (!WritePropertyBlock(unitClass, record.Get(), &written) ||
      !ReadPropertyBlock(unitClass, ViewOf(written), clamped.Get()))
    return at.Fail("the property block cannot be written");
  ClampProperties(unitClass, clamped.Get());
  for (int unitIndex = 0; unitIndex < unitClass.fieldCount; ++unitIndex) {
    const PropertyField& field = *FieldAt(unitClass, unitIndex);
    if (field.form != PropertyForm::Integer || !field.InRecord()) continue;
    const int32_t asked = field.Get(record.Get()).integer, used = field.Get(clamped.Get()).integer;
    if (asked != used)
      return at.Child(field.name).Fail("out of range: the unit would use " + std::to_string(used));
  }
  *block = std::move(written);
  return true;
}

bool DumpClassProperties(const UnitDescription& unitClass, const Bytes& block,
                         const std::string& indent, std::string* out, std::string* error) {
  PropertyRecord record(unitClass);
  if (!ReadPropertyBlock(unitClass, ViewOf(block), record.Get())) {
    *error = "version above the class's limit, or a field runs past the block";
    return false;
  }
  int32_t version = 0;
  ByteCursor cursor(ViewOf(block));
  cursor.ReadInt32(&version);
  *out += indent + "version " + std::to_string(version) + "\n";
  for (int unitIndex = 0; unitIndex < unitClass.fieldCount; ++unitIndex) {
    const PropertyField& field = *FieldAt(unitClass, unitIndex);
    if (!field.InRecord()) continue;
    *out += indent + std::to_string(8 + unitIndex) + " " + field.name + " " +
            ValueText(field, field.Get(record.Get()), indent) + "\n";
  }
  return true;
}
