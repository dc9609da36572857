#include "widgets/widget_set.h"

#include <cstring>

namespace {

const UnitDescription* const kClasses[] = {
    &kWindowDescription,      &kEditBoxDescription,  &kPicBoxDescription,
    &kLabelDescription,       &kCheckBoxDescription, &kProcessBarDescription,
    &kHyperLinkerDescription, &kPicBtnDescription,   &kTransLabelDescription,
};

}  // namespace

WidgetSet AllWidgetClasses() { return WidgetSet{kClasses, sizeof kClasses / sizeof kClasses[0]}; }

const UnitDescription* FindWidgetClass(uint32_t typeReference) {
  for (const UnitDescription* description : kClasses)
    if (description->typeReference == typeReference) return description;
  return nullptr;
}

const UnitDescription* FindWidgetClassNamed(const char* name) {
  for (const UnitDescription* description : kClasses)
    if (strcmp(description->name, name) == 0) return description;
  return nullptr;
}
