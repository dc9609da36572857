// Reading and writing unit properties by (window, unit, property index):
// indexes 0 to 7 are the common ones kept in the unit's record, 8 and up the
// class's own. Also the re-creation of a unit whose class asks for it.
#pragma once

#include <cstdint>

#include "frame/window_list.h"
#include "services/values.h"

constexpr int kFirstClassProperty = 8;

// The value of the property. Errors of addressing are run-time errors.
Value ReadUnitProperty(uint32_t window, uint32_t unit, int index);
void WriteUnitProperty(uint32_t window, uint32_t unit, int index, const Value& value);

// Replaces the unit's window by one built from its current properties.
void RecreateUnit(WindowEntry* entry, TemplateRecord* record);

// The limits of the common geometry properties.
int32_t LimitPosition(int32_t value);  // -32627..32627
int32_t LimitSize(int32_t value);      // 0..32627
