#include "frame/idle_callbacks.h"

#include <algorithm>
#include <vector>

namespace {

struct Registration {
  HWND window;
  IdleCallback callback;
  void* argument;
  bool removed;
};

std::vector<Registration> g_registrations;
// Rounds under way. While one runs, a removal only marks the registration,
// so that the places of those still to be called in it stay where they are.
int g_rounds = 0;

void DropRemoved() {
  if (g_rounds != 0) return;
  g_registrations.erase(std::remove_if(g_registrations.begin(), g_registrations.end(),
                                       [](const Registration& r) { return r.removed; }),
                        g_registrations.end());
}

}  // namespace

void RegisterIdleCallback(HWND window, IdleCallback callback, void* argument) {
  g_registrations.push_back(Registration{window, callback, argument, false});
}

void RemoveIdleCallback(HWND window) {
  for (Registration& registration : g_registrations)
    if (registration.window == window) registration.removed = true;
  DropRemoved();
}

void CallIdleCallbacks() {
  ++g_rounds;
  // By place, not by reference: a callback that registers another may move
  // the list. Those registered meanwhile lie beyond where the round began.
  for (size_t i = g_registrations.size(); i-- > 0;) {
    if (g_registrations[i].removed) continue;
    if (!IsWindow(g_registrations[i].window)) {
      g_registrations[i].removed = true;
      continue;
    }
    const Registration registration = g_registrations[i];
    registration.callback(registration.window, registration.argument);
  }
  --g_rounds;
  DropRemoved();
}

void ClearIdleCallbacks() {
  for (Registration& registration : g_registrations) registration.removed = true;
  DropRemoved();
}
