// What a screen reader reads of a program's windows, read as one reads
// them: through oleacc alone, from the accessible objects of the windows'
// client areas and the objects inside them, and the events that the
// program's windows send. Texts are code page 936, as the tests' are.
// Win32 only: a screen reader's view of real Windows.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>
#include <vector>

// One reference to an accessible object.
class AccessibleRef {
 public:
  AccessibleRef() = default;
  // Takes over a reference that the caller holds.
  explicit AccessibleRef(IAccessible* object) : object_(object) {}
  ~AccessibleRef();
  AccessibleRef(const AccessibleRef& other);
  AccessibleRef& operator=(const AccessibleRef& other);
  IAccessible* Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  IAccessible* object_ = nullptr;
};

// The client object of a window, as AccessibleObjectFromWindow gives it.
AccessibleRef ClientObjectOf(HWND hwnd);

// One object as a screen reader reads it: everything it says of itself.
struct AccessibleItem {
  AccessibleRef object;
  HWND window = nullptr;  // the window it belongs to (WindowFromAccessibleObject)
  int depth = 0;          // in the tree it was read from: 0 for the root
  long role = 0;
  long state = 0;
  std::string name;    // empty: none
  std::string value;   // empty: none
  std::string action;  // the default action's name; empty: none
  RECT location{};     // on the screen
  long childCount = 0;

  bool Has(long stateBits) const { return (state & stateBits) == stateBits; }
};

// Reads the object itself (CHILDID_SELF).
AccessibleItem ReadItem(const AccessibleRef& object, int depth = 0);
// The object and everything inside it, depth first, each object before the
// objects inside it, as AccessibleChildren gives them.
std::vector<AccessibleItem> ReadTree(const AccessibleRef& root);

// The first item of the role and name; nullptr when there is none.
const AccessibleItem* FindItem(const std::vector<AccessibleItem>& items, long role,
                               const std::string& name);

// The object's default action, as a screen reader's "activate" does it.
HRESULT DoDefaultAction(const AccessibleItem& item);

// Readable forms for test output: "push button", "invisible focusable".
std::string RoleName(long role);
std::string StateNames(long state);
// One line: role, name, state, action, value.
std::string Describe(const AccessibleItem& item);

// The events that windows of a process send (EVENT_OBJECT_FOCUS and the
// like), heard as a screen reader hears them: out of context, delivered to
// this thread while it takes its messages (WaitUntil does). One log at a
// time.
struct HeardEvent {
  DWORD event = 0;
  HWND hwnd = nullptr;
  LONG object = 0;
  LONG child = 0;
};
class WinEventLog {
 public:
  WinEventLog(DWORD processId, DWORD firstEvent, DWORD lastEvent);
  ~WinEventLog();
  WinEventLog(const WinEventLog&) = delete;
  WinEventLog& operator=(const WinEventLog&) = delete;

  bool Listening() const { return hook_ != nullptr; }
  const std::vector<HeardEvent>& Events() const;
  // The events of one kind, in the order they came.
  std::vector<HeardEvent> Of(DWORD event) const;
  void Clear();

 private:
  HWINEVENTHOOK hook_ = nullptr;
};

// The object that an event is about, read; false when it cannot be read
// (its window is gone).
bool ReadEventItem(const HeardEvent& event, AccessibleItem* item);
