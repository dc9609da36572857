// The unit classes of the widget set, by their descriptions: what the
// template tools, the tests and the fuzz targets know of every class that a
// window template of this program may name. The table is written from the
// widget set's class list (widgets/CMakeLists.txt). Pure code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/unit_description.h"

struct WidgetSet {
  const UnitDescription* const* classes;
  size_t count;
};
// Every class, in the order of the list.
WidgetSet AllWidgetClasses();

// The class of a record's type reference, or nullptr.
const UnitDescription* FindWidgetClass(uint32_t typeReference);
// The class of that name ("window", "PicBtn", ...), or nullptr.
const UnitDescription* FindWidgetClassNamed(const char* name);
