// A unit class: the table of operations (UnitOperations) through which the frame creates a
// unit from its template record and reaches its own properties. Every class
// of widgets/ fills one of these and registers it (frame/unit_classes.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "services/values.h"

// What a class needs to create one unit.
struct UnitCreateArgs {
  ByteBlock properties;  // the record's property block; may be empty
  DWORD style = 0;       // WS_DISABLED and WS_TABSTOP from the record's flags
  HWND parent = nullptr;  // the owner (for a window) or the window (for a unit)
  int controlId = 0;      // 100, 110, ... in creation order; 0 for a window
  int left = 0, top = 0, width = 0, height = 0;
  uint32_t windowId = 0;  // put into the event records the unit raises
  uint32_t unitId = 0;
};

struct UnitOperations {
  const char* name = "";
  uint32_t typeReference = 0;  // library number << 16 | class number

  // Creates the unit's window (not visible) and answers it, or nullptr when
  // the block is refused or the window cannot be made.
  HWND (*create)(const UnitCreateArgs& args) = nullptr;
  // A property of the class changed (unit index = table index - 8). Answers
  // true when the unit must be re-created to show it.
  bool (*propertyChanged)(HWND unit, int unitIndex, const Value& value) = nullptr;
  // Reads a property of the class; false when the index is not the class's.
  bool (*readProperty)(HWND unit, int unitIndex, Value* value) = nullptr;
  // Writes every property of the unit as a property block of the current
  // version; false when it cannot. Without it the class is not re-creatable.
  bool (*writeAllProperties)(HWND unit, std::string* block) = nullptr;
  // The procedure of the class's windows, for whoever needs to call it by
  // class rather than by window.
  WNDPROC windowProc = nullptr;
  // Offered every queued message for the unit (or, for a window, for any of
  // its units) before the frame raises its common events; true claims the
  // message, which is then neither raised nor dispatched. The window class
  // hangs its keyboard conveniences and DragAnywhere here.
  bool (*preTranslate)(HWND unit, MSG* message) = nullptr;

  // The declared types of the class's own properties, by unit index: values
  // are converted to them before they reach propertyChanged.
  const ValueType* propertyTypes = nullptr;
  int propertyCount = 0;

  bool raisesEvents = true;
  // The class's windows come from the common-controls library, whose classes
  // are registered before the first such unit is created.
  bool usesCommonControls = false;
  // A container's child windows move into its new window when it is
  // re-created.
  bool isContainer = false;
};
