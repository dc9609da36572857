// Property values for tests and fuzz seeds that work on any class through
// its table: for each field a value other than its default, so that a field
// read from the wrong place or not at all shows. Pure code.
#pragma once

#include "frame/unit_description.h"

// A value of the field's declared type that differs from its value in
// `defaults` (a record of the class defaults). A block value points into
// storage that lives as long as the program.
Value OtherValue(const PropertyField& field, const void* defaults);
// Puts OtherValue into every field of `record` that a record holds.
void SetOtherValues(const UnitDescription& unitClass, void* record);
// Values of the same type and contents.
bool SameValue(const Value& a, const Value& b);
