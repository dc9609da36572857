#include "frame/app_state.h"

AppState& App() {
  static AppState state;
  return state;
}

const UnitOperations* FindUnitClass(uint32_t typeReference) {
  const UnitClassList& list = App().unitClasses;
  for (size_t i = 0; i < list.count; ++i)
    if (list.classes[i]->description->typeReference == typeReference) return list.classes[i];
  return nullptr;
}

HWND HiddenOwnerWindow() { return App().hiddenOwner; }
