// The unit classes that window templates of this program name by type
// reference, and their names. Pure code.
#pragma once

#include <cstdint>

enum class UnitClass : uint8_t {
  Unknown,
  Window,
  EditBox,
  PicBox,
  Label,
  CheckBox,
  ProcessBar,
  HyperLinker,
  PicBtn,
  TransLabel,
};

constexpr int kUnitClassCount = 9;  // the known classes, Window to TransLabel

// The class a record's type reference names; Unknown for any other value.
UnitClass UnitClassOf(int32_t typeReference);
// The type reference stored for a class; 0 for Unknown.
int32_t TypeReferenceOf(UnitClass unitClass);
// "window", "EditBox", ... ; "" for Unknown.
const char* UnitClassName(UnitClass unitClass);
// The class of that name; Unknown when no class bears it.
UnitClass UnitClassNamed(const char* name);
