#include "frame/template/unit_classes.h"

#include <cstring>

namespace {

struct ClassEntry {
  UnitClass unitClass;
  int32_t typeReference;
  const char* name;
};

constexpr ClassEntry kClasses[kUnitClassCount] = {
    {UnitClass::Window, 0x00010001, "window"},
    {UnitClass::EditBox, 0x00010005, "EditBox"},
    {UnitClass::PicBox, 0x00010006, "PicBox"},
    {UnitClass::Label, 0x0001000A, "Label"},
    {UnitClass::CheckBox, 0x0001000C, "CheckBox"},
    {UnitClass::ProcessBar, 0x00010013, "ProcessBar"},
    {UnitClass::HyperLinker, 0x0001001D, "HyperLinker"},
    {UnitClass::PicBtn, 0x0001002D, "PicBtn"},
    {UnitClass::TransLabel, 0x00030005, "TransLabel"},
};

}  // namespace

UnitClass UnitClassOf(int32_t typeReference) {
  for (const ClassEntry& entry : kClasses)
    if (entry.typeReference == typeReference) return entry.unitClass;
  return UnitClass::Unknown;
}

int32_t TypeReferenceOf(UnitClass unitClass) {
  for (const ClassEntry& entry : kClasses)
    if (entry.unitClass == unitClass) return entry.typeReference;
  return 0;
}

const char* UnitClassName(UnitClass unitClass) {
  for (const ClassEntry& entry : kClasses)
    if (entry.unitClass == unitClass) return entry.name;
  return "";
}

UnitClass UnitClassNamed(const char* name) {
  for (const ClassEntry& entry : kClasses)
    if (strcmp(entry.name, name) == 0) return entry.unitClass;
  return UnitClass::Unknown;
}
