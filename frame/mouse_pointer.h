// The mouse pointer of a unit, loaded from its record's pointer block.
#pragma once

#include <windows.h>

#include "frame/template/template_records.h"

struct LoadedPointer {
  HCURSOR cursor = nullptr;  // nullptr: the unit has no pointer of its own
  bool owned = false;        // made from cursor bytes: DestroyCursor it
};

// No pointer for an empty block or code 0; the program's hand pointer for
// 32649; a standard Windows pointer for other codes; a cursor made from the
// bytes of a cursor file.
LoadedPointer LoadUnitPointer(const TemplateRecord& record);

void ReleaseUnitPointer(LoadedPointer* pointer);
