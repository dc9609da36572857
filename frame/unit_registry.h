// The registered unit classes, found by the type reference of a record.
#pragma once

#include <cstdint>

#include "frame/unit_class.h"

// Adds a class; a later registration of the same type reference replaces the
// earlier one. The table must live as long as the process.
void RegisterUnitClass(const UnitOperations* unitClass);

// The class of `typeReference`, or nullptr when none is registered.
const UnitOperations* FindUnitClass(uint32_t typeReference);
