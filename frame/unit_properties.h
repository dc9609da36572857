// Reading and writing unit properties by unit and property index: the
// common ones kept in the unit's record, then the class's own. Also the
// re-creation of a unit whose class asks for it.
#pragma once

#include <cstdint>

#include "frame/window_list.h"
#include "services/values.h"

// The first indexes of every class's property table.
enum CommonProperty : int {
  kLeftProperty,
  kTopProperty,
  kWidthProperty,
  kHeightProperty,
  kTagProperty,
  kVisibleProperty,
  kDisabledProperty,
  kMousePointerProperty,
  kFirstClassProperty,  // the class's own properties follow
};

// The table index of the class's own property `unitIndex`.
constexpr int ClassProperty(int unitIndex) { return kFirstClassProperty + unitIndex; }

// The value of the property. Errors of addressing are run-time errors.
Value ReadUnitProperty(UnitRef unit, int index);
void WriteUnitProperty(UnitRef unit, int index, const Value& value);

// Replaces the unit's window by one built from its current properties.
void RecreateUnit(WindowEntry* entry, TemplateRecord* record);

// The limits of the common geometry properties.
int32_t LimitPosition(int32_t value);  // -32627..32627
int32_t LimitSize(int32_t value);      // 0..32627
