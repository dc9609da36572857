#include "widgets/widget_set.h"

#include <cstring>

const UnitDescription* FindWidgetClass(uint32_t typeReference) {
  const WidgetSet set = AllWidgetClasses();
  for (size_t i = 0; i < set.count; ++i)
    if (set.classes[i]->typeReference == typeReference) return set.classes[i];
  return nullptr;
}

const UnitDescription* FindWidgetClassNamed(const char* name) {
  const WidgetSet set = AllWidgetClasses();
  for (size_t i = 0; i < set.count; ++i)
    if (strcmp(set.classes[i]->name, name) == 0) return set.classes[i];
  return nullptr;
}
