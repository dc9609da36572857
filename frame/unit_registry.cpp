#include "frame/unit_registry.h"

#include <vector>

namespace {
std::vector<const UnitOperations*>& Classes() {
  static std::vector<const UnitOperations*> classes;
  return classes;
}
}  // namespace

void RegisterUnitClass(const UnitOperations* unitClass) {
  for (const UnitOperations*& known : Classes()) {
    if (known->typeReference == unitClass->typeReference) {
      known = unitClass;
      return;
    }
  }
  Classes().push_back(unitClass);
}

const UnitOperations* FindUnitClass(uint32_t typeReference) {
  for (const UnitOperations* known : Classes())
    if (known->typeReference == typeReference) return known;
  return nullptr;
}
