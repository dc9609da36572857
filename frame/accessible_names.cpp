// The names that the program gives units for screen readers, found by the
// unit's identifiers from the link in its window's state.
#include "frame/app_state.h"
#include "frame/unit_class.h"
#include "frame/window_list.h"

const char* ProgramAccessibleName(const UnitLink& link) {
  LiveUnit* slot = SlotOf(link);
  if (!slot) return nullptr;
  const UnitLocation at = LocationOf(slot);
  const AccessibleNameList& list = App().accessibleNames;
  for (size_t i = 0; i < list.count; ++i) {
    const AccessibleName& entry = list.names[i];
    // Unit 0 and the window's own identifier both find the window's record.
    if (uint32_t(entry.unit.window) == uint32_t(at.window->window.identifier) &&
        FindUnitRecord(at.window, uint32_t(entry.unit.unit)) == at.record)
      return entry.name;
  }
  return nullptr;
}
