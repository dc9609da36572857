#include "frame/app_state.h"

AppState& App() {
  static AppState state;
  return state;
}

void RegisterIdleCallback(HWND hwnd, IdleCallback callback, void* argument) {
  App().idleCallbacks.push_back(IdleEntry{hwnd, callback, argument});
}

void RemoveIdleCallback(HWND hwnd) {
  auto& list = App().idleCallbacks;
  for (size_t i = list.size(); i-- > 0;)
    if (list[i].hwnd == hwnd) list.erase(list.begin() + i);
}

void RegisterExitCallback(ExitCallback callback) {
  for (ExitCallback known : App().exitCallbacks)
    if (known == callback) return;
  App().exitCallbacks.push_back(callback);
}
