// The contract between the frame and a unit class: the table of operations
// through which the frame creates a unit from its template record and
// reaches its properties, the events every unit and window raises, the
// frame's private messages a unit sees, and the call that raises an event.
// Every class of widgets/ fills one `const UnitOperations` table; the program
// hands the frame the list of them (frame/startup.h, ProgramUnitClasses).
//
// A unit's window reaches its unit one way: through the state its class
// hangs off GWLP_USERDATA. That state holds the frame's link to the unit's
// slot in the window list (UnitLink, below), which the frame ties once the
// class's create operation has returned the window, and the class's window
// procedure (widgets/common/unit_window.h, system_control.h) hands every
// message to the frame's part (UnitFrameMessage), which calls the class's
// own procedure in its midst. A re-created unit is a new window with a new
// state: the frame ties the slot to the new link, and the old window, whose
// link is then untied, is no unit's while it goes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "frame/events.h"
#include "frame/unit_description.h"

// The common events that the frame raises for every unit (and a window).
enum CommonEvent : int32_t {
  kEventLeftButtonDown = -1,   // x, y, key state
  kEventLeftButtonUp = -2,     // x, y, key state
  kEventLeftDoubleClick = -3,  // x, y, key state
  kEventRightButtonDown = -4,  // x, y, key state
  kEventRightButtonUp = -5,    // x, y, key state
  kEventMouseMove = -6,        // x, y, key state
  kEventFocusGained = -7,
  kEventFocusLost = -8,
  kEventKeyDown = -9,     // key code, key state
  kEventKeyUp = -10,      // key code, key state
  kEventCharacter = -11,  // character; a result replaces it, 0 drops it
  kEventWheel = -12,      // notches, key state
};

// The events of a window unit.
enum WindowEvent : int32_t {
  kWindowCreated = 0,
  kWindowCloseQuery = 1,  // a handler's false keeps the window open
  kWindowDestroying = 2,
  kWindowMoved = 3,
  kWindowResized = 4,
  kWindowIdle = 7,
  kWindowNotifyIcon = 9,
  kWindowShown = 10,
  kWindowHidden = 11,
  kWindowCloseRequest = 12,  // before event 1; a handler's false cancels
};

// The frame's private messages that a unit may see.
constexpr UINT kMsgAllUnitsCreated = 0x8004;   // to a window: its units all exist
constexpr UINT kMsgDestroyUnit = 0x8065;       // WM_APP + 0x65, posted by DestroyUnit
constexpr UINT kMsgCreationComplete = 0x806F;  // to each unit once its window is built
constexpr UINT kMsgWindowShown = 0x8076;       // to each unit once its window is shown
// The frame's own, which no class sees: sent to a unit's window once the
// class's create operation has made it, and answered by the frame's part of
// the window's procedure (UnitFrameMessage).
constexpr UINT kMsgTieUnit = 0x8066;

// Who raises an event: put into every event record of the unit.
struct UnitIdentity {
  uint32_t window = 0;
  uint32_t unit = 0;
};

struct LiveUnit;  // the window list's slot of a unit (frame/window_list.h)

// The frame's part of a unit's state: the link from the unit's window to its
// slot in the window list. Every state that a unit's window carries holds one
// as its member `link`; only the frame ties and reads it. Tied once the
// class has made the window; untied when the window ends, when the slot goes
// (the window's end, a control destroyed) or when the unit is re-created.
// A window whose link is untied (a unit window made outside the frame, a
// re-created unit's old window) is no unit's: the frame takes no part in
// its messages.
class UnitLink {
 public:
  UnitLink() = default;
  ~UnitLink();
  UnitLink(const UnitLink&) = delete;
  UnitLink& operator=(const UnitLink&) = delete;

 private:
  friend struct UnitLinks;  // frame/window_list.cpp
  LiveUnit* slot_ = nullptr;
};

// The class's own procedure, called by the frame's part with the state.
using UnitClassStep = LRESULT (*)(HWND hwnd, void* state, UINT message, WPARAM wParam,
                                  LPARAM lParam);

// One message of a unit's window, from the procedure of its class: the
// frame's part before and after the class's own (`classStep` with `state`),
// and the answer. The frame answers the tie, runs the destroy step of
// kMsgDestroyUnit (which no class sees), shows the unit's own mouse pointer
// on WM_SETCURSOR, raises the focus events after WM_SETFOCUS and
// WM_KILLFOCUS, and after WM_NCDESTROY ends the unit (or the whole window).
// `state`, and the link in it, may be gone once it returns from any other
// message than WM_NCDESTROY: the class's answer may have destroyed the window.
LRESULT UnitFrameMessage(UnitLink* link, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                         UnitClassStep classStep, void* state);

// Raises `event` of the unit with up to three arguments; the record says
// whether a handler ran and what it returned.
EventRecord RaiseUnitEvent(UnitIdentity unit, int32_t event, int argumentCount = 0, int32_t a0 = 0,
                           int32_t a1 = 0, int32_t a2 = 0);

// The class property `name` of the loaded window `window` (of its own
// record), as it stands now; false when the window is not loaded or its
// class has no such property. Never a run-time error: it serves units whose
// look follows the window they belong to, as a graphic button blends its
// pictures against the window's BackColor.
bool ReadLoadedWindowProperty(uint32_t window, const char* name, Value* value);

// A handler ran and returned the logical value false.
inline bool Vetoed(const EventRecord& event) { return event.resultGiven && event.result == 0; }

// What a class needs to create one unit.
struct UnitCreateArgs {
  ByteBlock properties;   // the record's property block; may be empty
  DWORD style = 0;        // WS_DISABLED and WS_TABSTOP from the record's flags
  HWND parent = nullptr;  // the owner (for a window) or the window (for a unit)
  int controlId = 0;      // 100, 110, ... in creation order; 0 for a window
  int left = 0, top = 0, width = 0, height = 0;
  UnitIdentity identity;  // put into the event records the unit raises
};

struct UnitOperations {
  const UnitDescription* description = nullptr;

  // Creates the unit's window (not visible) and answers it, or nullptr when
  // the block is refused or the window cannot be made.
  HWND (*create)(const UnitCreateArgs& args) = nullptr;
  // The unit's property record, kept up to date: the frame reads properties
  // from it and writes it back as a block when the unit is re-created.
  void* (*properties)(HWND unit) = nullptr;
  // A property of the class changed; the record already holds the value
  // (clamped), and `value` is the value given, of the declared type (the
  // only place of a property that lives at run time only). Answers true
  // when the unit must be re-created to show it.
  bool (*propertyChanged)(HWND unit, int unitIndex, const Value& value) = nullptr;
  // Properties whose present value lives in the window rather than in the
  // record (a check box's Checked, a window's StartPosition, an edit box's
  // text): true with `*value` set; false for the others.
  bool (*readLiveProperty)(HWND unit, int unitIndex, Value* value) = nullptr;
  // Offered every queued message for the unit (or, for a window, for any of
  // its units and the windows inside them) before the frame raises its
  // common events; true claims the message, which is then neither raised nor
  // dispatched. `target` is the class of the unit whose window took the
  // message, nullptr for a window inside a unit that is no unit's own. The
  // window class hangs its keyboard conveniences and DragAnywhere here.
  bool (*preTranslate)(HWND unit, MSG* message, const UnitOperations* target) = nullptr;
  // Windows only: how the frame shows the window at the end of its loading
  // (SW_SHOW, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED); SW_SHOW without it.
  int (*showCommand)(HWND window) = nullptr;

  bool raisesEvents = true;
  // The class's windows come from the common-controls library, whose classes
  // are registered before the first such unit is created.
  bool usesCommonControls = false;
  // A container's child windows move into its new window when it is
  // re-created.
  bool isContainer = false;
  // On a window that drags anywhere, a left-button press on a unit of the
  // class moves the window instead: the window's pre-translation posts it
  // the caption press and consumes the unit's press, so that the unit sees
  // no click and raises no event (labels, picture boxes, progress bars).
  bool forwardsPresses = false;
};

// The class of a unit's live window, or nullptr for a window that is no
// unit's (a window inside a unit, a re-created unit's old window). How a
// window learns the kind of the units it looks through for a mnemonic.
const UnitOperations* UnitOperationsOf(HWND hwnd);

// A window class that a unit's window cannot be made with (the system
// refused it, or the name is another class's): the frame's run-time error
// "注册窗口类“NAME”失败". Does not return.
[[noreturn]] void ReportClassNotRegistered(const char* className);

// The program's hidden window: the owner of windows that are to have no
// taskbar button. nullptr outside a running program.
HWND HiddenOwnerWindow();

// A window that closes gives the windows its modal load disabled their
// former state back before it is destroyed, so that one of them can take
// the activation. Done once: its destruction then finds nothing to restore.
// `link` is the window unit's own.
void ReenableWindowsDisabledByModal(const UnitLink& link);

// A name that the program gives a unit for screen readers, where the unit
// shows its words only as a picture, or where the name a person knows a
// window by is not its window text (a window without a caption).
struct AccessibleName {
  UnitRef unit;      // a window alone stands for its own unit
  const char* name;  // code page 936
};
struct AccessibleNameList {
  const AccessibleName* names = nullptr;
  size_t count = 0;
};

// The name that the program gives the unit whose window holds `link`, or
// nullptr where it gives none (or the window is no unit's). A class names
// its units itself otherwise, most by their captions.
const char* ProgramAccessibleName(const UnitLink& link);

// The program's unit classes, in one list.
struct UnitClassList {
  const UnitOperations* const* classes = nullptr;
  size_t count = 0;
};
// The classes of the program being built, written from the class folders
// that its build lists (cmake/UnitClasses.cmake).
UnitClassList ProgramUnitClasses();
